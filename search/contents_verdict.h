// What reading a file for the contents test found.
#pragma once

#include <cstdint>

namespace zandor {

enum class ContentsVerdict : std::uint8_t {
    Unread,      // not read yet
    Found,       // holds the text
    Missing,     // read to its end without it
    Passed,      // not read: binary, not a regular file, gone, or stopped
    Unreadable,  // could not be opened or read
};

}  // namespace zandor
