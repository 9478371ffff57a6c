#include "results/background_sort.h"

#include <optional>
#include <utility>

#include "results/sort_order.h"

namespace zandor {

std::uint64_t BackgroundSort::start(ResultStores::Snapshot rows, SortKey key, bool descending,
                                    Done done) {
    return m_task.start([key, descending, rows = std::move(rows), done = std::move(done)](
                            const std::stop_token& stop, std::uint64_t ticket) {
        std::optional<std::vector<std::uint32_t>> folders =
            sortedOrder(rows.folders, key, descending, stop);
        if (!folders) {
            return;
        }
        std::optional<std::vector<std::uint32_t>> files =
            sortedOrder(rows.files, key, descending, stop);
        if (!files || stop.stop_requested()) {
            return;
        }
        done(ticket, std::move(*folders), std::move(*files));
    });
}

}  // namespace zandor
