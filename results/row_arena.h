// RowArena: where the rows of one search live, compactly: rows in chunks that
// never move (the pane refers to rows by address), names' bytes in blocks of
// text, and one RowFolder for each run of rows of the same folder. No row is
// a heap allocation of its own. The worker fills an arena of its own for each
// batch; the window's stores adopt its chunks whole, copying no text.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "results/result_row.h"

namespace zandor {

class RowArena {
  public:
    RowArena() = default;
    RowArena(RowArena&&) noexcept = default;
    RowArena& operator=(RowArena&&) noexcept = default;
    RowArena(const RowArena&) = delete;
    RowArena& operator=(const RowArena&) = delete;
    ~RowArena() = default;

    // Records the entry: its name's bytes copied into the arena, its folder
    // shared with the row before when that lies in the same folder.
    ResultRow& add(const FoundEntry& entry);
    // Keeps a copy of these bytes for as long as the arena lives.
    std::string_view keepText(std::string_view text);
    // A folder of the arena's own, for a row that moves to it.
    RowFolder& addFolder(std::string prefix, bool whole);

    // Takes over the other arena's rows, texts and folders, which keep their
    // addresses; the other is left empty.
    void adopt(RowArena&& other);

    // Calls visit(row) for each row in the order added.
    template <typename Visit>
    void forEachRow(Visit&& visit) {
        for (const Chunk& chunk : m_chunks) {
            for (std::size_t i = 0; i < chunk.used; ++i) {
                visit(chunk.rows[i]);
            }
        }
    }
    template <typename Visit>
    void forEachFolder(Visit&& visit) {
        for (const std::unique_ptr<RowFolder>& folder : m_folders) {
            visit(*folder);
        }
    }

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

  private:
    struct Chunk {
        std::unique_ptr<ResultRow[]> rows;
        std::size_t capacity = 0;
        std::size_t used = 0;
    };

    ResultRow& newRow();
    RowFolder& folderOf(std::string_view prefix, bool whole);

    std::vector<Chunk> m_chunks;
    std::vector<std::unique_ptr<char[]>> m_texts;
    char* m_textNext = nullptr;
    std::size_t m_textLeft = 0;
    std::size_t m_lastBlock = 0;
    std::vector<std::unique_ptr<RowFolder>> m_folders;
    // The folder of the last row added. Only this arena's owner touches its
    // folders until the stores adopt them (the batcher's arena is filled and
    // taken under one lock), and a rename changes the folder itself, so its
    // prefix is always the one to compare with.
    RowFolder* m_lastFolder = nullptr;
    std::size_t m_size = 0;
};

}  // namespace zandor
