// The two stores of recorded rows, files and folders. The pane lists rows
// from them; a sort reorders them and lists all folders, then all files.
// The rows themselves live in the stores' RowArena, where a row's address
// stays the same while the stores grow and are sorted: the list refers to
// rows by address.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "results/result_row.h"
#include "results/row_arena.h"
#include "results/row_compare.h"

namespace zandor {

using RowStore = std::vector<ResultRow*>;

class ResultStores {
  public:
    // Records the entry in the file store when the walk called it a file,
    // else in the folder store; returns the recorded row.
    const ResultRow& add(const FoundEntry& entry);
    // Takes over the rows of an arena the worker filled (the window's rows
    // are made there, so that the window copies no text); returns them in
    // the order they were added.
    std::vector<const ResultRow*> adopt(RowArena&& rows);
    // Deletes every row and gives the memory they held back to the system.
    void clear();
    // Deletes these rows from whichever store holds them; the others keep
    // their order and their addresses (the arena keeps the rows' room until
    // the stores are cleared). Emptied, the stores give their memory back as
    // clear does.
    void remove(const std::unordered_set<const ResultRow*>& rows);

    // The rows of these items and of everything recorded below them.
    std::unordered_set<const ResultRow*> rowsAtOrBelow(const std::vector<std::string>& items) const;

    // The item of `row` now bears newName in the same folder: the row takes
    // the new name, and the folders below it the new path, once each, so
    // that each row still names its item.
    void itemRenamed(const ResultRow& row, const std::string& newName);

    // Stable sorts of both stores by the key, in the direction given.
    void SortStores(SortKey key, bool descending);

    // The rows of each store in their present order, for a sort to work on.
    struct Snapshot {
        std::vector<const ResultRow*> folders;
        std::vector<const ResultRow*> files;
    };
    Snapshot snapshot() const;
    // Puts the rows a snapshot held in the order a sort gave them (indexes
    // into the snapshot); rows recorded since keep their order after them.
    void applyOrder(const std::vector<std::uint32_t>& folders,
                    const std::vector<std::uint32_t>& files);

    // Every recorded row in listing order: all folders, then all files.
    std::vector<const ResultRow*> listing() const;

    const RowStore& files() const { return m_arrFiles; }
    const RowStore& folders() const { return m_arrFolders; }
    std::size_t size() const { return m_arrFiles.size() + m_arrFolders.size(); }

  private:
    void record(ResultRow& row);

    RowArena m_arena;
    RowStore m_arrFiles;
    RowStore m_arrFolders;
};

}  // namespace zandor
