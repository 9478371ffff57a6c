#include "results/sort_controller.h"

#include <utility>

#include "results/ui_post.h"

namespace zandor {

SortController::SortController(ResultStores& stores, FilterController& filter, QObject* parent)
    : QObject(parent), m_stores(stores), m_filter(filter) {}

SortController::~SortController() {
    pause();
}

void SortController::sort(SortKey key) {
    m_bSortDescending = !m_bSortDescending;
    pause();
    if (m_stores.size() < m_backgroundSortFrom) {
        m_stores.SortStores(key, m_bSortDescending);
        m_filter.relist(m_stores.listing());
        Q_EMIT sorted();
        return;
    }
    start(key);
}

void SortController::start(SortKey key) {
    m_sortKey = key;
    m_sortTicket = m_sort.start(
        m_stores.snapshot(), key, m_bSortDescending,
        [this](std::uint64_t ticket, std::vector<std::uint32_t> folders,
               std::vector<std::uint32_t> files) {
            postToThreadOf(this, [this, ticket, folders = std::move(folders),
                                  files = std::move(files)] { finish(ticket, folders, files); });
        });
}

void SortController::finish(std::uint64_t ticket, const std::vector<std::uint32_t>& folders,
                            const std::vector<std::uint32_t>& files) {
    if (ticket != m_sortTicket) {
        return;  // superseded or cancelled after it had ended
    }
    m_sortTicket = 0;
    m_sort.cancel();  // its thread has ended: this only joins it
    m_stores.applyOrder(folders, files);
    // Listed again from the stores: all folders, then all files (rows that
    // arrived during the sort after the sorted ones), nothing selected, and
    // no row recorded twice.
    m_filter.relist(m_stores.listing());
    Q_EMIT sorted();
}

std::optional<SortKey> SortController::pause() {
    if (m_sortTicket == 0) {
        return std::nullopt;
    }
    m_sort.cancel();
    m_sortTicket = 0;
    return m_sortKey;
}

void SortController::resume(std::optional<SortKey> key) {
    if (key) {
        start(*key);
    }
}

}  // namespace zandor
