// FilteredList: the results pane's rows under a filter, worked out away from
// the window's own code. While a filter is on it keeps every listed row, in
// order, and says which of them to show: at once for a short list, else
// from a run on a BackgroundTask, whose rows the owner takes on its own
// thread with finish(). Words that narrow the last ones test only the rows
// shown; any other words test every listed row. A later change supersedes a
// run in progress. Everything but the run happens on the owner's thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <unordered_set>
#include <vector>

#include "results/background_task.h"
#include "results/result_row.h"
#include "results/row_filter.h"

namespace zandor {

class FilteredList {
  public:
    using Rows = std::vector<const ResultRow*>;
    // The rows to show in place of those shown; nothing when they stay.
    using Relist = std::optional<Rows>;
    // Called on the run's thread with its ticket and the rows it let
    // through; the owner hands both to finish() on its own thread.
    using Ready = std::function<void(std::uint64_t ticket, Rows passed)>;

    explicit FilteredList(Ready ready) : m_ready(std::move(ready)) {}

    // Lists of fewer rows than this are filtered at once, on the owner's thread.
    void setBackgroundFrom(std::size_t rows) { m_backgroundFrom = rows; }

    // Whether a filter is on (words were typed).
    bool active() const { return !m_typed.empty(); }
    // Whether a run is working out the rows for the words typed.
    bool running() const { return m_ticket != 0; }
    // Every listed row while a filter is on; the shown rows are all of them when none is.
    std::size_t listedCount(std::size_t shown) const { return active() ? m_all.size() : shown; }

    // The words typed changed. shown: the rows shown now (while no filter is
    // on, every listed row).
    Relist setFilter(RowFilter typed, std::span<const ResultRow* const> shown);
    // Every listed row is one of these now, in this order (a sort ended).
    Relist relist(Rows all);
    // Rows listed after the others; returns those to show after the shown ones.
    Rows append(std::span<const ResultRow* const> rows);
    // These rows are no longer listed (the owner takes them from the shown
    // rows); a run in progress starts again without them.
    Relist remove(const std::unordered_set<const ResultRow*>& rows);
    // Ends a run in progress before listed rows change (a rename); refilter
    // after the change tests every listed row again.
    void pause();
    Relist refilter();
    // A run's rows, on the owner's thread: what to show, or nothing when a
    // later change superseded the run.
    Relist finish(std::uint64_t ticket, Rows passed);
    // A new search: no row is listed, the words stay.
    void clear();

  private:
    // The rows of base that pass the words typed: now, or from a run.
    Relist filterFrom(std::span<const ResultRow* const> base);
    void cancel();

    Ready m_ready;
    std::size_t m_backgroundFrom = kBackgroundFrom;
    RowFilter m_typed;              // the words the user typed
    RowFilter m_applied;            // the words the shown rows passed
    Rows m_all;                     // every listed row while a filter is on
    std::uint64_t m_ticket = 0;     // of the run in progress, 0 when none
    std::size_t m_coveredRows = 0;  // the listed rows when the run began
    BackgroundTask m_task;

    static constexpr std::size_t kBackgroundFrom = 20000;
};

}  // namespace zandor
