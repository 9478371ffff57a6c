#include "results/result_batcher.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <algorithm>

namespace zandor {

ResultBatcher::ResultBatcher(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &ResultBatcher::drain);
}

void ResultBatcher::onSearchStarted(std::uint64_t generation) {
    std::lock_guard lock(m_mutex);
    m_pending.clear();  // whatever is left belongs to an older search
    m_pendingGeneration = generation;
}

void ResultBatcher::AddResult(const FoundEntry& entry) {
    // Made before the lock, which the user-interface thread also takes.
    auto row = std::make_unique<ResultRow>(ResultRow::fromEntry(entry));
    bool wasEmpty = false;
    {
        std::lock_guard lock(m_mutex);
        wasEmpty = m_pending.empty();
        m_pending.push_back(std::move(row));
    }
    // Only the first row of a batch wakes the user-interface thread; the
    // rest wait for the timer it starts.
    if (wasEmpty) {
        QMetaObject::invokeMethod(this, &ResultBatcher::scheduleDrain, Qt::QueuedConnection);
    }
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
    std::uint64_t generation = 0;
    {
        std::lock_guard lock(m_mutex);
        rows.swap(m_pending);
        generation = m_pendingGeneration;
    }
    if (!rows.empty() && generation == m_accepted && m_receiver) {
        QElapsedTimer taking;
        taking.start();
        m_receiver(std::move(rows));
        const qint64 cost = taking.elapsed();
        m_timer.setInterval(
            static_cast<int>(std::clamp<qint64>(cost * kIdleShare, kIntervalMs, kMaxIntervalMs)));
    }
}

}  // namespace zandor
