// ResultBatcher: the result sink of the window. The worker hands it rows; the
// user-interface thread takes them in batches, every 40 ms while taking them
// is quick. Should taking a batch grow slow (on a slow machine, or a pane that
// does more per row), the wait between batches grows with what the last one
// cost, so that the window spends at most about a ninth of its time taking
// rows and always has time to answer the user.
// Rows of a search other than the one the window waits for are dropped.
// The rows reach the user-interface thread through a UiMailbox.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <vector>

#include "results/row_arena.h"
#include "results/ui_post.h"
#include "search/sinks.h"

namespace zandor {

// Rows made on the worker in an arena of their own, for the stores to adopt
// as they are.
using RowBatch = RowArena;

class ResultBatcher final : public QObject, public ResultSink {
    Q_OBJECT
  public:
    static constexpr int kIntervalMs = 40;
    // The wait after a batch is this many times what taking it cost, within
    // kIntervalMs and kMaxIntervalMs.
    static constexpr int kIdleShare = 8;
    static constexpr int kMaxIntervalMs = 1000;

    explicit ResultBatcher(QObject* parent = nullptr);

    // Worker side.
    void onSearchStarted(std::uint64_t generation) override;
    void AddResult(const FoundEntry& entry) override;

    // User-interface side: rows of this search are delivered, others dropped.
    void accept(std::uint64_t generation);
    // Where the rows of the accepted search go, on the user-interface thread.
    void setReceiver(std::function<void(RowBatch)> receiver) { m_receiver = std::move(receiver); }
    // Delivers what is waiting now (also called by the timer).
    void drain();
    // The wait before the next batch, in milliseconds.
    int interval() const { return m_timer.interval(); }
    // The clock that times taking a batch, in milliseconds (a steady clock
    // unless a test gives its own).
    void setClock(std::function<qint64()> nowMs) { m_nowMs = std::move(nowMs); }

  private:
    // The rows handed over and not yet taken, and the search they belong to.
    struct Pending {
        RowBatch rows;
        std::uint64_t generation = 0;
    };

    void scheduleDrain();

    UiMailbox<Pending> m_pending;
    std::uint64_t m_accepted = 0;  // user-interface thread only
    QTimer m_timer;
    std::function<void(RowBatch)> m_receiver;
    std::function<qint64()> m_nowMs;
};

}  // namespace zandor
