// BackgroundTask: one piece of work at a time on a thread of its own, each
// numbered by a ticket, so that what it reports can be told from what a
// later one reports. Starting another, or cancelling, asks the one running
// to stop and waits for its thread: the work polls its stop token often
// enough that this takes a moment, never a long wait.
#pragma once

#include <cstdint>
#include <stop_token>
#include <thread>
#include <utility>

namespace zandor {

class BackgroundTask {
  public:
    BackgroundTask() = default;
    ~BackgroundTask() { cancel(); }
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;

    // Runs work(stop, ticket) on a new thread after ending the work running,
    // if any; returns the new work's ticket (never 0).
    template <typename Work>
    std::uint64_t start(Work&& work) {
        cancel();
        const std::uint64_t ticket = ++m_ticket;
        m_thread = std::jthread([ticket, work = std::forward<Work>(work)](
                                    const std::stop_token& stop) mutable { work(stop, ticket); });
        return ticket;
    }

    // Ends the work running, if any, and waits for its thread.
    void cancel() {
        if (m_thread.joinable()) {
            m_thread.request_stop();
            m_thread.join();
        }
    }

  private:
    std::jthread m_thread;
    std::uint64_t m_ticket = 0;
};

}  // namespace zandor
