// SearchSession: runs searches on one worker thread, one walk at a time.
// Start never waits for a walk: a search started while an earlier walk is
// still unwinding begins as soon as that walk has ended. The worker never
// waits on the caller's thread, so the caller may wait for it (on exit).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "search/live_conditions.h"
#include "search/search_criteria.h"
#include "search/search_request.h"
#include "search/sinks.h"

namespace zandor {

class SearchSession {
  public:
    // The board and the sinks must outlive the session; the sinks are called
    // on the worker thread.
    SearchSession(const LiveConditionsBoard& live, ResultSink& results, ProgressSink& progress);
    ~SearchSession();  // stops the walk and waits for the worker
    SearchSession(const SearchSession&) = delete;
    SearchSession& operator=(const SearchSession&) = delete;

    // Starts a search and returns its generation number. An earlier walk that
    // still runs is told to stop; a search that was waiting for it is replaced.
    std::uint64_t start(const SearchRequest& request);
    // Asks the running walk (and a search waiting to run) to stop; never waits.
    void stop();
    // Waits until no walk runs and none waits to run.
    void waitUntilIdle();
    bool busy() const;

  private:
    struct Run {
        SearchCriteria criteria;
        std::uint64_t generation = 0;
    };

    void workerMain(std::unique_ptr<Run> run);

    const LiveConditionsBoard& m_live;
    ResultSink& m_results;
    ProgressSink& m_progress;

    mutable std::mutex m_mutex;
    std::condition_variable m_idle;
    std::jthread m_thread;
    Run* m_running = nullptr;  // owned by the worker while it walks
    std::unique_ptr<Run> m_pending;
    bool m_busy = false;
    std::uint64_t m_nextGeneration = 1;
};

}  // namespace zandor
