#include "temp_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zandor::test {

namespace {

void check(bool ok, const std::string& what) {
    if (!ok) {
        throw std::runtime_error("test tree: " + what);
    }
}

void makeParents(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0755);
    }
}

}  // namespace

TempTree::TempTree() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/zandor-test-XXXXXX";
    check(::mkdtemp(pattern.data()) != nullptr, "mkdtemp");
    m_root = pattern;
    ::chmod(m_root.c_str(), 0755);
}

TempTree::~TempTree() {
    removeTree(m_root);
}

void TempTree::folder(const std::string& relative) const {
    const std::string full = path(relative);
    makeParents(full + "/");
}

void TempTree::file(const std::string& relative, std::uint64_t size) const {
    fileAt(path(relative), size);
}

void TempTree::fileAt(const std::string& full, std::uint64_t size) {
    makeParents(full);
    const int fd = ::open(full.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    check(fd >= 0, "create " + full);
    const bool sized = ::ftruncate(fd, static_cast<off_t>(size)) == 0;
    ::close(fd);
    check(sized, "size " + full);
}

void TempTree::writeFile(const std::string& relative, std::string_view text) const {
    const std::string full = path(relative);
    makeParents(full);
    std::ofstream out(full, std::ios::binary);
    out << text;
    check(static_cast<bool>(out.flush()), "write " + full);
}

void TempTree::setLastWrite(const std::string& relative, std::int64_t secs) const {
    const timespec times[2] = {{static_cast<time_t>(secs), 0}, {static_cast<time_t>(secs), 0}};
    check(::utimensat(AT_FDCWD, path(relative).c_str(), times, AT_SYMLINK_NOFOLLOW) == 0,
          "utimensat " + relative);
}

void TempTree::deepChain(const std::string& relative, int depth) const {
    folder(relative);
    int fd = ::open(path(relative).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    check(fd >= 0, "open chain base");
    for (int level = 0; level < depth; ++level) {
        ::mkdirat(fd, "d", 0755);
        const int next = ::openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        check(next >= 0, "open chain level");
        fd = next;
    }
    ::close(fd);
}

void removeTree(const std::string& path) {
    // GNU rm walks with its own stack and handles trees deeper than any path limit.
    const std::string command = "rm -rf -- '" + path + "'";
    if (std::system(command.c_str()) != 0) {
        // Best effort: a test's temporary folder left behind harms nothing.
    }
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::vector<std::string> namesIn(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    std::vector<std::string> names;
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace zandor::test
