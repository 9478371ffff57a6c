// SortController: the results pane's sorting. Each sort turns the direction;
// a short list is sorted at once, a long one by a BackgroundSort whose
// order is applied when ready, on this thread. Meanwhile rows keep arriving
// after those being sorted, a second sort supersedes the first, and a
// change to the rows pauses the sort and starts it again on the new rows.
#pragma once

#include <QObject>
#include <cstdint>
#include <optional>
#include <vector>

#include "results/background_sort.h"
#include "results/filter_controller.h"
#include "results/result_stores.h"

namespace zandor {

class SortController final : public QObject {
    Q_OBJECT
  public:
    // Sorts these stores and lists them through this filter (both outlive it).
    SortController(ResultStores& stores, FilterController& filter, QObject* parent = nullptr);
    ~SortController() override;  // ends a sort in progress and waits for it

    void sort(SortKey key);
    bool isSorting() const { return m_sortTicket != 0; }
    // Lists of fewer rows than this are sorted at once, on this thread.
    void setBackgroundSortFrom(std::size_t rows) { m_backgroundSortFrom = rows; }

    // Ends a sort in progress before the rows change and tells which key it
    // sorted by; resume starts it again on the changed rows.
    std::optional<SortKey> pause();
    void resume(std::optional<SortKey> key);

  Q_SIGNALS:
    // A sorted order was listed (at once or when a background sort ended);
    // while a filter is on, the rows that pass show in it when the filter
    // has tested them.
    void sorted();

  private:
    void start(SortKey key);
    void finish(std::uint64_t ticket, const std::vector<std::uint32_t>& folders,
                const std::vector<std::uint32_t>& files);

    static constexpr std::size_t kBackgroundSortFrom = 20000;

    ResultStores& m_stores;
    FilterController& m_filter;
    bool m_bSortDescending = true;  // so that the first sort is ascending
    std::size_t m_backgroundSortFrom = kBackgroundSortFrom;
    std::uint64_t m_sortTicket = 0;  // of the sort in progress, 0 when none
    SortKey m_sortKey = SortKey::Name;
    BackgroundSort m_sort;
};

}  // namespace zandor
