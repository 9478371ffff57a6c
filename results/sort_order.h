// The order a sort gives a store's rows, worked out on prepared keys (each
// row's key beside its index) so that it can run away from the window's
// thread on a snapshot, be cancelled at once, and be applied in one step.
#pragma once

#include <cstdint>
#include <optional>
#include <stop_token>
#include <vector>

#include "results/result_row.h"
#include "results/row_compare.h"

namespace zandor {

// The indexes of rows in their stable order by key and direction (no two
// neighbours for which ShouldSwap holds); nothing when stop was requested
// before the sort ended. The stop is polled between blocks of a few thousand
// keys, so it is felt within about a millisecond. The rows must not change
// while this runs.
std::optional<std::vector<std::uint32_t>> sortedOrder(const std::vector<const ResultRow*>& rows,
                                                      SortKey key, bool descending,
                                                      const std::stop_token& stop = {});

}  // namespace zandor
