// ResultRow: one found file or folder as the results pane records it, kept
// compact: its name's bytes and its folder live in the store's RowArena,
// the row holds where they are, the size and the two times as numbers, and
// whether it is a file. The full path and the texts of the size and times are
// made when a view asks for them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "search/sinks.h"

namespace zandor {

// What lies before the names of the rows of one folder: the folder's path
// with its trailing slash. Rows share it, so that renaming a folder above
// them changes it once. A row whose path does not end in its name (none the
// walk makes) holds its whole path here, marked whole.
struct RowFolder {
    std::string prefix;
    bool whole = false;
};

struct ResultRow {
    RowFolder* m_folder = nullptr;
    const char* m_strName = nullptr;  // the name's bytes, as found, in the arena (not ended by a 0)
    std::uint32_t m_nameSize = 0;
    bool m_bIsFile = false;        // "File" from the walk; else "File Folder"
    bool m_bDescribed = true;      // size and times known; else shown empty, sorted as 0
    std::int64_t m_created = 0;    // seconds since 1970
    std::int64_t m_lastWrite = 0;  // seconds since 1970
    std::uint64_t m_size = 0;      // bytes, all 64 bits

    std::string_view name() const { return {m_strName, m_nameSize}; }
    // The full path, the name included, in two pieces that joined make it.
    std::pair<std::string_view, std::string_view> pathParts() const {
        return m_folder->whole
                   ? std::pair<std::string_view, std::string_view>{m_folder->prefix, {}}
                   : std::pair<std::string_view, std::string_view>{m_folder->prefix, name()};
    }
    std::string path() const;
    // "File" or "File Folder", texts of static storage.
    std::string_view type() const { return m_bIsFile ? kFileType : kFolderType; }
    // Only a row the walk called exactly "File" is a file: it joins the file
    // store and shows a size; anything else is treated as a folder.
    bool isFile() const { return m_bIsFile; }

    // The row as the walk handed it on; valid while the row and path live
    // (path: this row's path()).
    FoundEntry asEntry(const std::string& path) const {
        return FoundEntry{name(), path, m_size, !isFile(), m_created, m_lastWrite, m_bDescribed};
    }

    std::string sizeText() const;
    std::string createdText() const;
    std::string lastWriteText() const;
};

}  // namespace zandor
