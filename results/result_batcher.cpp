#include "results/result_batcher.h"

#include <algorithm>
#include <chrono>

namespace zandor {

ResultBatcher::ResultBatcher(QObject* parent)
    : QObject(parent), m_pending(this, [this] { scheduleDrain(); }) {
    m_nowMs = [] {
        return static_cast<qint64>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                       std::chrono::steady_clock::now().time_since_epoch())
                                       .count());
    };
    m_timer.setSingleShot(true);
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &ResultBatcher::drain);
}

void ResultBatcher::onSearchStarted(std::uint64_t generation) {
    m_pending.update([generation](Pending& pending) {
        pending.rows = RowBatch();  // whatever is left belongs to an older search
        pending.generation = generation;
    });
}

void ResultBatcher::AddResult(const FoundEntry& entry) {
    // The name's bytes go straight into the batch's arena; its folder is
    // shared with the row before in nearly every case. Only the first row of
    // a batch wakes the user-interface thread; the rest wait for the timer
    // it starts.
    m_pending.update([&entry](Pending& pending) { pending.rows.add(entry); });
}

void ResultBatcher::scheduleDrain() {
    if (!m_timer.isActive()) {
        m_timer.start();
    }
}

void ResultBatcher::accept(std::uint64_t generation) {
    m_accepted = generation;
    m_timer.setInterval(kIntervalMs);
}

void ResultBatcher::drain() {
    RowBatch rows;
    const std::uint64_t generation = m_pending.take([&rows](Pending& pending) {
        rows = std::move(pending.rows);
        pending.rows = RowBatch();
        return pending.generation;
    });
    if (!rows.empty() && generation == m_accepted && m_receiver) {
        const qint64 start = m_nowMs();
        m_receiver(std::move(rows));
        const qint64 cost = m_nowMs() - start;
        m_timer.setInterval(
            static_cast<int>(std::clamp<qint64>(cost * kIdleShare, kIntervalMs, kMaxIntervalMs)));
    }
}

}  // namespace zandor
