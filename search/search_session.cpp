#include "search/search_session.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "search/search_thread.h"

namespace zandor {

namespace {

// The worker runs a little below the thread that started it (the window's),
// so that on a busy processor the window is the one that runs when it has
// work, and stays answering. The walk's read-ahead helpers run at the
// worker's priority, which they inherit.
constexpr int kWorkerNiceAbove = 5;
constexpr int kLowestNice = 19;

// A thread starts at the priority of the thread that made it.
void runBelowCreator() {
    const auto self = static_cast<id_t>(::gettid());
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, self);
    if (errno == 0) {
        ::setpriority(PRIO_PROCESS, self, std::min(kLowestNice, nice + kWorkerNiceAbove));
    }
}

}  // namespace

SearchSession::SearchSession(const LiveConditionsBoard& live, ResultSink& results,
                             ProgressSink& progress)
    : m_live(live), m_results(results), m_progress(progress) {}

SearchSession::~SearchSession() {
    stop();
    waitUntilIdle();
    m_thread = {};  // the worker has said it is done: joining only waits for it to leave
}

std::uint64_t SearchSession::start(const SearchRequest& request) {
    auto run = std::make_unique<Run>();
    request.fillCriteria(run->criteria);

    std::lock_guard lock(m_mutex);
    run->generation = m_nextGeneration++;
    const std::uint64_t generation = run->generation;
    if (m_busy) {
        if (m_running != nullptr) {
            m_running->criteria.m_bStop = true;
        }
        m_pending = std::move(run);
        return generation;
    }
    // The previous worker has said it is done; the assignment joins it, which
    // only waits for the thread to leave, never for a walk.
    m_busy = true;
    m_running = run.get();
    m_thread = std::jthread(&SearchSession::workerMain, this, std::move(run));
    return generation;
}

void SearchSession::stop() {
    std::lock_guard lock(m_mutex);
    if (m_running != nullptr) {
        m_running->criteria.m_bStop = true;
    }
    if (m_pending) {
        // It still runs, so that its completion arrives like any other, but
        // stops before its first entry.
        m_pending->criteria.m_bStop = true;
    }
}

void SearchSession::waitUntilIdle() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_busy; });
}

bool SearchSession::busy() const {
    std::lock_guard lock(m_mutex);
    return m_busy;
}

void SearchSession::workerMain(std::unique_ptr<Run> run) {
    runBelowCreator();
    while (run) {
        SearchThreadProc(run->criteria, m_live, m_results, m_progress, run->generation);
        std::lock_guard lock(m_mutex);
        m_running = nullptr;
        run = std::move(m_pending);
        if (run) {
            m_running = run.get();
        } else {
            m_busy = false;
            m_idle.notify_all();
        }
    }
}

}  // namespace zandor
