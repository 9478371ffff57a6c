// Reads a freedesktop Trash folder the way a trash client does, so that tests
// check what was written, not how: every info file's Path= percent-decoded
// (relative paths joined to the top folder), and the stored item beside it.
// Also puts a trashed item back where it came from.
#pragma once

#include <string>
#include <vector>

namespace zandor::test {

struct TrashedItem {
    std::string originalPath;  // absolute, raw bytes
    std::string storedPath;    // the item inside files/
    std::string infoPath;
    std::string infoText;  // the info file as written
};

// The items of the trash folder (…/Trash, $topdir/.Trash-$uid or
// $topdir/.Trash/$uid); topdir is empty for the home trash, whose paths are
// absolute. Sorted by original path. A malformed info file fails the test.
std::vector<TrashedItem> readTrash(const std::string& trashFolder, const std::string& topdir);

// Moves the item back to its original path (never replacing anything) and
// removes its info file; true when it is back.
bool restoreFromTrash(const TrashedItem& item);

// A freshly made ext4 file system mounted on a temporary folder, for items
// that live on another file system than the home. Needs root and loop
// devices; skipReason() says why not when it could not be mounted.
class SecondFileSystem {
  public:
    SecondFileSystem();
    ~SecondFileSystem();
    SecondFileSystem(const SecondFileSystem&) = delete;
    SecondFileSystem& operator=(const SecondFileSystem&) = delete;

    bool mounted() const { return m_mounted; }
    const std::string& skipReason() const { return m_skipReason; }
    const std::string& root() const { return m_mountPoint; }

  private:
    std::string m_folder;
    std::string m_mountPoint;
    bool m_mounted = false;
    std::string m_skipReason;
};

}  // namespace zandor::test
