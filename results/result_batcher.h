// ResultBatcher: the result sink of the window. The worker hands it rows; the
// user-interface thread takes them in batches at most every 40 ms, so that a
// search finding a million rows costs the window a few hundred insertions.
// Rows of a search other than the one the window waits for are dropped.
#pragma once

#include <QObject>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "results/result_row.h"
#include "search/sinks.h"

namespace zandor {

class ResultBatcher final : public QObject, public ResultSink {
    Q_OBJECT
  public:
    static constexpr int kIntervalMs = 40;

    explicit ResultBatcher(QObject* parent = nullptr);

    // Worker side.
    void onSearchStarted(std::uint64_t generation) override;
    void AddResult(const FoundEntry& entry) override;

    // User-interface side: rows of this search are delivered, others dropped.
    void accept(std::uint64_t generation);
    // Where the rows of the accepted search go, on the user-interface thread.
    void setReceiver(std::function<void(std::vector<ResultRow>)> receiver) {
        m_receiver = std::move(receiver);
    }
    // Delivers what is waiting now (also called by the timer).
    void drain();

  private:
    void scheduleDrain();

    std::mutex m_mutex;
    std::vector<ResultRow> m_pending;
    std::uint64_t m_pendingGeneration = 0;  // the search the pending rows belong to
    std::uint64_t m_accepted = 0;           // user-interface thread only
    QTimer m_timer;
    std::function<void(std::vector<ResultRow>)> m_receiver;
};

}  // namespace zandor
