// Hostile trees for the tests: names made of every byte, link loops, files
// that must never be opened, folders of a great many entries, a folder bound
// into itself, a file system that keeps any time it is given.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reference_walk.h"
#include "temp_tree.h"

namespace zandor::test {

// Every byte from 1 to 255 but "/" in names below folder: "n" + byte + "n"
// for each, the byte alone where it can be a name (not "."), and a folder
// whose name is not UTF-8 holding one file. Returns the names made directly
// in folder.
std::vector<std::string> makeEveryByteNames(const TempTree& tree, const std::string& folder);

// Links below folder that would lead a walk that follows them round for ever:
// to ".", to "..", to themselves, to each other, to "/" and to the tree's root.
void makeLinkLoops(const TempTree& tree, const std::string& folder);

// A FIFO and a socket (and, as root, a character device) below folder:
// opening the FIFO with no writer would block for ever.
void makeSpecialFiles(const TempTree& tree, const std::string& folder);

// count entries directly in folder: empty files, most of them hard links.
void makeWideFolder(const TempTree& tree, const std::string& folder, int count);

// Sets the last-write time to any 64-bit number of seconds, as tmpfs allows;
// false when the file system refuses or clamps it.
bool setExactLastWrite(const std::string& path, std::int64_t secs);

// A tree whose permissions bite a user without privileges: a folder of mode
// 000 (neither listed nor entered), r-- (names read, entries not described),
// --x and -wx (entered, not listed), and a file of mode 000 (still described).
// The modes are given back when it goes, so that the tree can be removed.
class PermissionTree {
  public:
    PermissionTree();
    ~PermissionTree();
    PermissionTree(const PermissionTree&) = delete;
    PermissionTree& operator=(const PermissionTree&) = delete;
    const TempTree& tree() const { return m_tree; }

  private:
    void lock(const std::string& relative, unsigned mode);
    TempTree m_tree;
    std::vector<std::string> m_locked;
};

// The reference walk of root as a user without privileges sees it (in a child
// that drops them, when run as root).
std::vector<ReferenceEntry> referenceWalkUnprivileged(const std::string& root);

// A private mount namespace for this test process, so that the mounts a test
// makes are seen by it and its children only and go with it. Only root can
// make one; whyNot() says why there is none.
class PrivateMounts {
  public:
    PrivateMounts();
    bool active() const { return m_whyNot.empty(); }
    const std::string& whyNot() const { return m_whyNot; }

    // Binds source onto target (a folder below source, say); false, with
    // whyNot() set, when it cannot.
    bool bind(const std::string& source, const std::string& target);
    // Mounts a tmpfs on target.
    bool tmpfs(const std::string& target);
    // Takes every mount made back off (before the folders are removed).
    ~PrivateMounts();
    PrivateMounts(const PrivateMounts&) = delete;
    PrivateMounts& operator=(const PrivateMounts&) = delete;

  private:
    std::string m_whyNot;
    std::vector<std::string> m_mounted;
};

}  // namespace zandor::test
