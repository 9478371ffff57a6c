// The order a sort gives a store's rows, worked out on prepared keys (each
// row's key beside its index) so that it can run away from the window's
// thread on a snapshot, be cancelled at once, and be applied in one step.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "results/result_row.h"
#include "results/row_compare.h"

namespace zandor {

// The indexes of rows in their stable order by key and direction; empty when
// cancel was set before the sort ended (it is polled every few thousand
// comparisons). The rows must not change while this runs.
std::optional<std::vector<std::uint32_t>> sortedOrder(const std::vector<const ResultRow*>& rows,
                                                      SortKey key, bool descending,
                                                      const std::atomic<bool>* cancel = nullptr);

}  // namespace zandor
