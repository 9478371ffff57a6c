#include "results/result_stores.h"

#include <algorithm>

#include "platform/fs_path.h"
#include "platform/fs_rename.h"
#include "results/memory_release.h"

namespace zandor {

namespace {

void sortStore(RowStore& store, SortKey key, bool descending) {
    std::stable_sort(store.begin(), store.end(), [&](const auto& a, const auto& b) {
        return ShouldSwap(*b, *a, key, descending);
    });
}

}  // namespace

const ResultRow& ResultStores::add(ResultRow row) {
    RowStore& store = row.isFile() ? m_arrFiles : m_arrFolders;
    store.push_back(std::make_unique<ResultRow>(std::move(row)));
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
    sortStore(m_arrFiles, key, descending);
    sortStore(m_arrFolders, key, descending);
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
