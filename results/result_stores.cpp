#include "results/result_stores.h"

#include <algorithm>

#include "results/memory_release.h"

namespace zandor {

namespace {

void sortStore(RowStore& store, SortKey key, bool descending) {
    std::stable_sort(store.begin(), store.end(), [&](const auto& a, const auto& b) {
        return ShouldSwap(*b, *a, key, descending);
    });
}

}  // namespace

const ResultRow& ResultStores::Add(ResultRow row) {
    RowStore& store = row.isFile() ? m_arrFiles : m_arrFolders;
    store.push_back(std::make_unique<ResultRow>(std::move(row)));
    return *store.back();
}

void ResultStores::Clear() {
    // Swapped out rather than cleared, so that the arrays' own storage goes too.
    RowStore().swap(m_arrFiles);
    RowStore().swap(m_arrFolders);
    ReleaseFreedMemory();
}

void ResultStores::Remove(const std::unordered_set<const ResultRow*>& rows) {
    for (RowStore* store : {&m_arrFiles, &m_arrFolders}) {
        std::erase_if(*store, [&](const auto& row) { return rows.contains(row.get()); });
    }
    if (size() == 0) {
        Clear();  // an emptied list gives its memory back like a new search
    }
}

void ResultStores::SortStores(SortKey key, bool descending) {
    sortStore(m_arrFiles, key, descending);
    sortStore(m_arrFolders, key, descending);
}

std::vector<const ResultRow*> ResultStores::Listing() const {
    std::vector<const ResultRow*> listing;
    listing.reserve(size());
    for (const RowStore* store : {&m_arrFolders, &m_arrFiles}) {
        for (const auto& row : *store) {
            listing.push_back(row.get());
        }
    }
    return listing;
}

}  // namespace zandor
