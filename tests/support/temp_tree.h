// TempTree: a temporary folder for one test, filled with files and folders
// by relative path, removed (however deep) when the test ends.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zandor::test {

class TempTree {
  public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& root() const { return m_root; }
    std::string path(const std::string& relative) const { return m_root + "/" + relative; }

    // Creates the folders named, parents included.
    void folder(const std::string& relative) const;
    // Creates a file of `size` bytes (sparse: no data is written), parents included.
    void file(const std::string& relative, std::uint64_t size = 0) const;
    // Creates a file holding text, parents included.
    void writeFile(const std::string& relative, std::string_view text) const;
    // The same at an absolute path, in any folder.
    static void fileAt(const std::string& fullPath, std::uint64_t size = 0);
    // Sets the last-write (and access) time, seconds since 1970.
    void setLastWrite(const std::string& relative, std::int64_t secs) const;
    // Builds a chain of `depth` nested folders named "d" below relative; returns nothing,
    // since the full path may exceed what one system call accepts.
    void deepChain(const std::string& relative, int depth) const;

  private:
    std::string m_root;
};

// Removes a tree of any depth without following links.
void removeTree(const std::string& path);

// Whether something is at path (a link itself, not what it names).
bool exists(const std::string& path);

// Every byte of a file; empty when it cannot be read.
std::string contentsOf(const std::string& path);

// The names in a folder ("." and ".." left out), sorted; none when the
// folder cannot be read.
std::vector<std::string> namesIn(const std::string& folder);

}  // namespace zandor::test
