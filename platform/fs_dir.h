// Folder enumeration: the entries of one folder in the order the file system
// delivers them, each with its name and, where the directory entry tells,
// whether it is a folder, so that the walk needs no stat call to find folders.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/fs_fd.h"
#include "platform/result.h"

namespace zandor {

enum class EntryKind : std::uint8_t { Folder, File, Unknown };

struct DirEntry {
    std::string_view name;  // NUL-terminated in the listing's storage
    EntryKind kind;
    // Known from the listing not to be a regular file or a folder: a link, a
    // FIFO, a socket or a device, whose contents are never read.
    bool special = false;
};

// Opens a folder for enumeration. Symbolic links are followed only for the
// path given here (the look-in folder); the walk opens sub-folders with
// openSubFolder, which never follows a link, and passes over a sub-folder
// it cannot open (an invalid fd).
Result<UniqueFd> openFolder(const char* path);
UniqueFd openSubFolder(int parentFd, const char* name);

// All entries of one folder, read with large getdents64 calls into one
// buffer. The storage is reused from folder to folder so that a walk
// allocates only when a folder is larger than any before it at that depth.
class DirListing {
  public:
    // Reads every entry of the folder open on fd, replacing what was held.
    // Polls stop between reads so that a huge folder does not delay Stop.
    Result<void> read(int fd, const std::atomic<bool>* stop = nullptr);

    class Cursor {
      public:
        // Advances to the next entry; false at the end.
        bool next(DirEntry& entry);
        std::size_t offset() const { return m_offset; }

      private:
        friend class DirListing;
        Cursor(const char* data, std::size_t size, std::size_t offset)
            : m_data(data), m_size(size), m_offset(offset) {}
        const char* m_data;
        std::size_t m_size;
        std::size_t m_offset;
    };

    Cursor cursor(std::size_t offset = 0) const { return Cursor(m_data.get(), m_size, offset); }
    std::size_t size() const { return m_size; }

  private:
    void reserve(std::size_t capacity);

    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

// Whether an entry whose directory entry did not tell its type is a folder,
// asked of the file system without following a link.
bool isFolderAt(int dirFd, const char* name);

inline bool IsDots(std::string_view name) {
    return name == "." || name == "..";
}

}  // namespace zandor
