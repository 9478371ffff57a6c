#include "results/result_stores.h"

#include <algorithm>

#include "platform/fs_path.h"
#include "platform/fs_rename.h"
#include "results/memory_release.h"
#include "results/sort_order.h"

namespace zandor {

namespace {

std::vector<const ResultRow*> rowsOf(const RowStore& store) {
    std::vector<const ResultRow*> rows;
    rows.reserve(store.size());
    for (const auto& row : store) {
        rows.push_back(row.get());
    }
    return rows;
}

void reorder(RowStore& store, const std::vector<std::uint32_t>& order) {
    RowStore sorted;
    sorted.reserve(store.size());
    for (const std::uint32_t index : order) {
        sorted.push_back(std::move(store[index]));
    }
    for (std::size_t later = order.size(); later < store.size(); ++later) {
        sorted.push_back(std::move(store[later]));
    }
    store = std::move(sorted);
}

}  // namespace

const ResultRow& ResultStores::add(ResultRow row) {
    return add(std::make_unique<ResultRow>(std::move(row)));
}

const ResultRow& ResultStores::add(std::unique_ptr<ResultRow> row) {
    RowStore& store = row->isFile() ? m_arrFiles : m_arrFolders;
    store.push_back(std::move(row));
    return *store.back();
}

void ResultStores::clear() {
    // Swapped out rather than cleared, so that the arrays' own storage goes too.
    RowStore().swap(m_arrFiles);
    RowStore().swap(m_arrFolders);
    releaseFreedMemory();
}

void ResultStores::remove(const std::unordered_set<const ResultRow*>& rows) {
    for (RowStore* store : {&m_arrFiles, &m_arrFolders}) {
        std::erase_if(*store, [&](const auto& row) { return rows.contains(row.get()); });
    }
    if (size() == 0) {
        clear();  // an emptied list gives its memory back like a new search
    }
}

std::unordered_set<const ResultRow*> ResultStores::rowsAtOrBelow(
    const std::vector<std::string>& items) const {
    const PathSet gone(items.begin(), items.end());
    std::unordered_set<const ResultRow*> rows;
    for (const RowStore* store : {&m_arrFiles, &m_arrFolders}) {
        for (const auto& row : *store) {
            if (isAtOrBelowAny(row->m_strPath, gone)) {
                rows.insert(row.get());
            }
        }
    }
    return rows;
}

void ResultStores::itemRenamed(const ResultRow& renamed, const std::string& newName) {
    const std::string oldPath = renamed.m_strPath;
    const std::string newPath = joinPath(containingFolder(oldPath), newName);
    const PathSet moved{oldPath};
    for (RowStore* store : {&m_arrFiles, &m_arrFolders}) {
        for (auto& row : *store) {
            if (row.get() == &renamed) {
                row->m_strName = newName;
                row->m_strPath = newPath;
            } else if (isBelowAny(row->m_strPath, moved)) {
                row->m_strPath.replace(0, oldPath.size(), newPath);
            }
        }
    }
}

void ResultStores::SortStores(SortKey key, bool descending) {
    const Snapshot rows = snapshot();
    applyOrder(*sortedOrder(rows.folders, key, descending),
               *sortedOrder(rows.files, key, descending));
}

ResultStores::Snapshot ResultStores::snapshot() const {
    return Snapshot{rowsOf(m_arrFolders), rowsOf(m_arrFiles)};
}

void ResultStores::applyOrder(const std::vector<std::uint32_t>& folders,
                              const std::vector<std::uint32_t>& files) {
    reorder(m_arrFolders, folders);
    reorder(m_arrFiles, files);
}

std::vector<const ResultRow*> ResultStores::listing() const {
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
