#include "results/background_sort.h"

#include <optional>
#include <utility>

#include "results/sort_order.h"

namespace zandor {

std::uint64_t BackgroundSort::start(ResultStores::Snapshot rows, SortKey key, bool descending,
                                    Done done) {
    cancel();
    const std::uint64_t ticket = ++m_ticket;
    m_thread = std::thread(
        [this, ticket, key, descending, rows = std::move(rows), done = std::move(done)] {
            std::optional<std::vector<std::uint32_t>> folders =
                sortedOrder(rows.folders, key, descending, &m_cancel);
            if (!folders) {
                return;
            }
            std::optional<std::vector<std::uint32_t>> files =
                sortedOrder(rows.files, key, descending, &m_cancel);
            if (!files || m_cancel.load(std::memory_order_relaxed)) {
                return;
            }
            done(ticket, std::move(*folders), std::move(*files));
        });
    return ticket;
}

void BackgroundSort::cancel() {
    if (!m_thread.joinable()) {
        return;
    }
    m_cancel.store(true, std::memory_order_relaxed);
    m_thread.join();
    m_cancel.store(false, std::memory_order_relaxed);
}

}  // namespace zandor
