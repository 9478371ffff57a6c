#include "results/result_stores.h"

#include <algorithm>

#include "platform/fs_path.h"
#include "platform/fs_rename.h"
#include "results/memory_release.h"
#include "results/sort_order.h"

namespace zandor {

namespace {

std::vector<const ResultRow*> rowsOf(const RowStore& store) {
    return {store.begin(), store.end()};
}

void reorder(RowStore& store, const std::vector<std::uint32_t>& order) {
    RowStore sorted;
    sorted.reserve(store.size());
    for (const std::uint32_t index : order) {
        sorted.push_back(store[index]);
    }
    for (std::size_t later = order.size(); later < store.size(); ++later) {
        sorted.push_back(store[later]);
    }
    store = std::move(sorted);
}

// Replaces `from` at the start of text by `to` when text starts with it.
void replacePrefix(std::string& text, const std::string& from, const std::string& to) {
    if (text.compare(0, from.size(), from) == 0) {
        text.replace(0, from.size(), to);
    }
}

}  // namespace

void ResultStores::record(ResultRow& row) {
    (row.isFile() ? m_arrFiles : m_arrFolders).push_back(&row);
}

const ResultRow& ResultStores::add(const FoundEntry& entry) {
    ResultRow& row = m_arena.add(entry);
    record(row);
    return row;
}

std::vector<const ResultRow*> ResultStores::adopt(RowArena&& rows) {
    std::vector<const ResultRow*> added;
    added.reserve(rows.size());
    rows.forEachRow([&](ResultRow& row) {
        record(row);
        added.push_back(&row);
    });
    m_arena.adopt(std::move(rows));
    return added;
}

void ResultStores::clear() {
    // Swapped out rather than cleared, so that the arrays' own storage goes too.
    RowStore().swap(m_arrFiles);
    RowStore().swap(m_arrFolders);
    m_arena = RowArena();
    releaseFreedMemory();
}

void ResultStores::remove(const std::unordered_set<const ResultRow*>& rows) {
    for (RowStore* store : {&m_arrFiles, &m_arrFolders}) {
        std::erase_if(*store, [&](const ResultRow* row) { return rows.contains(row); });
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
        for (const ResultRow* row : *store) {
            if (isAtOrBelowAny(row->path(), gone)) {
                rows.insert(row);
            }
        }
    }
    return rows;
}

void ResultStores::itemRenamed(const ResultRow& renamed, const std::string& newName) {
    const std::string oldPath = renamed.path();
    const std::string newPath = joinPath(containingFolder(oldPath), newName);
    // The row is the stores' own; the reference is const only for the callers.
    auto& row = const_cast<ResultRow&>(renamed);
    const std::string_view kept = m_arena.keepText(newName);
    row.m_strName = kept.data();
    row.m_nameSize = static_cast<std::uint32_t>(kept.size());
    if (row.m_folder->whole) {
        row.m_folder = &m_arena.addFolder(newPath, true);
    }
    // What lies below the item: every folder whose prefix starts with its
    // path and a slash, each changed once, whatever number of rows it holds.
    const std::string oldBelow = oldPath + '/';
    const std::string newBelow = newPath + '/';
    m_arena.forEachFolder(
        [&](RowFolder& folder) { replacePrefix(folder.prefix, oldBelow, newBelow); });
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
        listing.insert(listing.end(), store->begin(), store->end());
    }
    return listing;
}

}  // namespace zandor
