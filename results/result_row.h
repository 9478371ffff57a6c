// ResultRow: one found file or folder as the results pane records it. Times
// and size are kept as numbers; their texts are made when shown.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "search/sinks.h"

namespace zandor {

struct ResultRow {
    std::string m_strName;         // as found, without its folder
    std::string m_strPath;         // the full path, the name included
    std::string m_strType;         // "File" or "File Folder" from the walk
    std::int64_t m_created = 0;    // seconds since 1970
    std::int64_t m_lastWrite = 0;  // seconds since 1970
    std::uint64_t m_size = 0;      // bytes, all 64 bits

    static ResultRow fromEntry(const FoundEntry& entry) {
        return ResultRow{std::string(entry.name),   std::string(entry.path),
                         std::string(entry.type()), entry.created,
                         entry.lastWrite,           entry.size};
    }

    // The row as the walk handed it on; valid while the row lives.
    FoundEntry asEntry() const {
        return FoundEntry{m_strName, m_strPath, m_size, !isFile(), m_created, m_lastWrite};
    }

    // Only a type of exactly "File" is a file: it joins the file store and
    // shows a size; anything else is treated as a folder.
    bool isFile() const { return m_strType == kFileType; }
    std::string sizeText() const;
    std::string createdText() const;
    std::string lastWriteText() const;
};

}  // namespace zandor
