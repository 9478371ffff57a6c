// What the search and the results need to know of one entry, asked on demand:
// size, creation and last-write times. Links are described, never followed.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

namespace zandor {

struct EntryInfo {
    std::uint64_t size = 0;      // bytes, all 64 bits
    std::int64_t created = 0;    // seconds since 1970: birth time, else last write
    std::int64_t lastWrite = 0;  // seconds since 1970
    bool isFolder = false;
    bool isLink = false;
    dev_t device = 0;  // with inode, tells the entry apart from every other
    ino_t inode = 0;
};

// Describes the entry `name` of the folder open on dirFd (or a path, when
// dirFd is AT_FDCWD). Empty with errno set when the entry cannot be described,
// for example because it vanished.
std::optional<EntryInfo> statEntryAt(int dirFd, const char* name);

// False only when nothing bears the path any more (the item or one of its
// folders is gone); an item that cannot be described for lack of rights
// still exists. The item itself is asked, never a link's target.
bool entryExists(const std::string& path);

}  // namespace zandor
