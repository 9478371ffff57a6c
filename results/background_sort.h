// BackgroundSort: sorts a snapshot of the stores on a thread of its own, so
// that the window answers while a million rows are sorted. One sort at a
// time: starting another, or cancelling, ends the one running at once.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "results/background_task.h"
#include "results/result_stores.h"
#include "results/row_compare.h"

namespace zandor {

class BackgroundSort {
  public:
    // Called on the sort's thread with the sort's ticket and the order of
    // each store's snapshot; never for a sort that was cancelled.
    using Done = std::function<void(std::uint64_t ticket, std::vector<std::uint32_t> folders,
                                    std::vector<std::uint32_t> files)>;

    // Starts sorting rows (which must not change until the sort is done or
    // cancelled) and returns its ticket; a sort still running is cancelled first.
    std::uint64_t start(ResultStores::Snapshot rows, SortKey key, bool descending, Done done);
    // Ends the sort running, if any, and waits for its thread (a stop is
    // felt within a block of a few thousand keys).
    void cancel() { m_task.cancel(); }

  private:
    BackgroundTask m_task;
};

}  // namespace zandor
