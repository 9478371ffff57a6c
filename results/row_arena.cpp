#include "results/row_arena.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace zandor {

namespace {

// Chunks and text blocks grow from small to these sizes, so that an arena of
// a few rows (a batch of a slow search) costs little and one of a million
// rows few allocations.
constexpr std::size_t kFirstChunkRows = 32;
constexpr std::size_t kLargestChunkRows = 8192;
constexpr std::size_t kFirstTextBlock = 1024;
constexpr std::size_t kLargestTextBlock = std::size_t{256} * 1024;

}  // namespace

ResultRow& RowArena::newRow() {
    if (m_chunks.empty() || m_chunks.back().used == m_chunks.back().capacity) {
        const std::size_t capacity =
            m_chunks.empty()
                ? kFirstChunkRows
                : std::clamp(m_chunks.back().capacity * 2, kFirstChunkRows, kLargestChunkRows);
        m_chunks.push_back(Chunk{std::make_unique<ResultRow[]>(capacity), capacity, 0});
    }
    Chunk& chunk = m_chunks.back();
    ++m_size;
    return chunk.rows[chunk.used++];
}

std::string_view RowArena::keepText(std::string_view text) {
    if (text.size() > m_textLeft) {
        const std::size_t last = m_texts.empty() ? 0 : std::min(m_lastBlock * 2, kLargestTextBlock);
        const std::size_t block = std::max({kFirstTextBlock, last, text.size()});
        m_texts.push_back(std::make_unique<char[]>(block));
        m_textNext = m_texts.back().get();
        m_textLeft = block;
        m_lastBlock = block;
    }
    char* kept = m_textNext;
    if (!text.empty()) {
        std::memcpy(kept, text.data(), text.size());
    }
    m_textNext += text.size();
    m_textLeft -= text.size();
    return {kept, text.size()};
}

RowFolder& RowArena::addFolder(std::string prefix, bool whole) {
    m_folders.push_back(std::make_unique<RowFolder>(RowFolder{std::move(prefix), whole}));
    return *m_folders.back();
}

RowFolder& RowArena::folderOf(std::string_view prefix, bool whole) {
    // The walk hands on the entries of a folder one after another: comparing
    // with the last row's folder finds nearly every row's.
    if (m_lastFolder == nullptr || whole || m_lastFolder->whole || prefix != m_lastFolder->prefix) {
        m_lastFolder = &addFolder(std::string(prefix), whole);
    }
    return *m_lastFolder;
}

ResultRow& RowArena::add(const FoundEntry& entry) {
    const bool endsInName = entry.path.size() >= entry.name.size() &&
                            entry.path.substr(entry.path.size() - entry.name.size()) == entry.name;
    RowFolder& folder =
        endsInName ? folderOf(entry.path.substr(0, entry.path.size() - entry.name.size()), false)
                   : folderOf(entry.path, true);
    const std::string_view name = keepText(entry.name);
    ResultRow& row = newRow();
    row.m_folder = &folder;
    row.m_strName = name.data();
    row.m_nameSize = static_cast<std::uint32_t>(name.size());
    row.m_bIsFile = !entry.isFolder;
    row.m_bDescribed = entry.described;
    row.m_created = entry.described ? entry.created : 0;
    row.m_lastWrite = entry.described ? entry.lastWrite : 0;
    row.m_size = entry.described ? entry.size : 0;
    return row;
}

void RowArena::adopt(RowArena&& other) {
    std::move(other.m_chunks.begin(), other.m_chunks.end(), std::back_inserter(m_chunks));
    std::move(other.m_texts.begin(), other.m_texts.end(), std::back_inserter(m_texts));
    std::move(other.m_folders.begin(), other.m_folders.end(), std::back_inserter(m_folders));
    m_size += other.m_size;
    // New rows start a chunk and a text block of their own rather than
    // filling the adopted ones' remains, and share no folder with them.
    if (!other.m_chunks.empty()) {
        Chunk& last = m_chunks.back();
        last.capacity = last.used;
    }
    m_textLeft = 0;
    m_lastFolder = nullptr;
    other = RowArena();
}

}  // namespace zandor
