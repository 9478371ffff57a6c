#include "hostile_trees.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "unprivileged.h"

namespace zandor::test {

namespace {

void check(bool ok, const std::string& what) {
    if (!ok) {
        throw std::runtime_error("hostile tree: " + what + ": " + std::strerror(errno));
    }
}

// Creates an empty file at the full path (no parents made).
void touch(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    check(fd >= 0, "create " + path);
    ::close(fd);
}

}  // namespace

std::vector<std::string> makeEveryByteNames(const TempTree& tree, const std::string& folder) {
    tree.folder(folder);
    const std::string base = tree.path(folder) + "/";
    std::vector<std::string> names;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte == '/') {
            continue;
        }
        const char c = static_cast<char>(byte);
        names.push_back(std::string("n") + c + "n");
        if (c != '.') {
            names.push_back(std::string(1, c));
        }
    }
    for (const auto& name : names) {
        touch(base + name);
    }
    const std::string odd = "\xff\xfe folder \x80";
    check(::mkdir((base + odd).c_str(), 0755) == 0, "mkdir not UTF-8");
    touch(base + odd + "/inside\x01\n\t\\.txt");
    names.push_back(odd);
    return names;
}

void makeLinkLoops(const TempTree& tree, const std::string& folder) {
    tree.folder(folder + "/deeper");
    const std::string base = tree.path(folder) + "/";
    const std::pair<const char*, std::string> links[] = {
        {"dot", "."},
        {"up", ".."},
        {"self", "self"},
        {"ping", "pong"},
        {"pong", "ping"},
        {"slash", "/"},
        {"deeper/back", ".."},
        {"deeper/root", tree.root()},
        {"dangling", "no/such/thing"},
    };
    for (const auto& [name, target] : links) {
        check(::symlink(target.c_str(), (base + name).c_str()) == 0, std::string("link ") + name);
    }
}

void makeSpecialFiles(const TempTree& tree, const std::string& folder) {
    tree.folder(folder);
    const std::string base = tree.path(folder) + "/";
    check(::mkfifo((base + "fifo").c_str(), 0644) == 0, "mkfifo");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    check(sock >= 0, "socket");
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = base + "socket";
    check(socketPath.size() < sizeof address.sun_path, "socket path too long");
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    const bool bound =
        ::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(sock);  // the socket's file stays
    check(bound, "bind");
    if (::geteuid() == 0) {
        check(::mknod((base + "null-device").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0, "mknod");
    }
}

void makeWideFolder(const TempTree& tree, const std::string& folder, int count) {
    tree.folder(folder);
    const int dir = ::open(tree.path(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    check(dir >= 0, "open wide folder");
    // Most entries are hard links to a few files: a directory entry costs a
    // tenth of a new inode's time on ext4, and a link count stays below its
    // limit of 65,000.
    constexpr int kLinksPerFile = 50000;
    char name[32];
    char file[32] = {};
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "entry-%07d.dat", i);
        bool made = false;
        if (i % kLinksPerFile == 0) {
            std::memcpy(file, name, sizeof name);
            const int fd = ::openat(dir, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            made = fd >= 0 && ::close(fd) == 0;
        } else {
            made = ::linkat(dir, file, dir, name, 0) == 0;
        }
        if (!made) {
            ::close(dir);
            check(false, std::string("create ") + name);
        }
    }
    ::close(dir);
}

bool setExactLastWrite(const std::string& path, std::int64_t secs) {
    const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(secs), 0}};
    struct stat st {};
    return ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0 &&
           ::lstat(path.c_str(), &st) == 0 && st.st_mtim.tv_sec == secs;
}

PermissionTree::PermissionTree() {
    m_tree.file("open/a.txt");
    m_tree.file("locked/hidden.txt");
    m_tree.file("names-only/x.txt");
    m_tree.folder("names-only/sub");
    m_tree.file("pass-through/y.txt");
    m_tree.file("write-enter/z.txt");
    m_tree.file("secret.txt", 10);
    lock("locked", 0);
    lock("names-only", 0444);
    lock("pass-through", 0111);
    lock("write-enter", 0333);
    lock("secret.txt", 0);
}

PermissionTree::~PermissionTree() {
    for (const auto& path : m_locked) {
        ::chmod(path.c_str(), 0755);
    }
}

void PermissionTree::lock(const std::string& relative, unsigned mode) {
    check(::chmod(m_tree.path(relative).c_str(), mode) == 0, "chmod " + relative);
    m_locked.push_back(m_tree.path(relative));
}

std::vector<ReferenceEntry> referenceWalkUnprivileged(const std::string& root) {
    const auto outcome = runUnprivileged([&root] {
        std::string out;
        for (const auto& entry : referenceWalk(root)) {
            out.append(entry.path).push_back(entry.described ? '+' : '-');
            out.push_back('\0');
        }
        return out;
    });
    if (outcome.exitCode != 0) {
        throw std::runtime_error("reference walk without privileges failed");
    }
    std::vector<ReferenceEntry> entries;
    std::size_t start = 0;
    while (start < outcome.output.size()) {
        const std::size_t end = outcome.output.find('\0', start);
        ReferenceEntry entry;
        entry.path = outcome.output.substr(start, end - start - 1);
        entry.described = outcome.output[end - 1] == '+';
        entries.push_back(entry);
        start = end + 1;
    }
    return entries;
}

PrivateMounts::PrivateMounts() {
    if (::geteuid() != 0) {
        m_whyNot = "mounting needs root, and these tests run as another user";
        return;
    }
    if (::unshare(CLONE_NEWNS) != 0) {
        m_whyNot = std::string("no private mount namespace (unshare: ") + std::strerror(errno) +
                   "), as in a container without CAP_SYS_ADMIN";
        return;
    }
    // Nothing mounted here propagates back to the system's namespace.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        m_whyNot = std::string("cannot make mounts private: ") + std::strerror(errno);
    }
}

bool PrivateMounts::bind(const std::string& source, const std::string& target) {
    if (!active()) {
        return false;
    }
    if (::mount(source.c_str(), target.c_str(), nullptr, MS_BIND, nullptr) != 0) {
        m_whyNot = "bind mount refused: " + std::string(std::strerror(errno));
        return false;
    }
    m_mounted.push_back(target);
    return true;
}

bool PrivateMounts::tmpfs(const std::string& target) {
    if (!active()) {
        return false;
    }
    if (::mount("zandor-test", target.c_str(), "tmpfs", 0, "size=16m") != 0) {
        m_whyNot = "tmpfs mount refused: " + std::string(std::strerror(errno));
        return false;
    }
    m_mounted.push_back(target);
    return true;
}

PrivateMounts::~PrivateMounts() {
    for (auto it = m_mounted.rbegin(); it != m_mounted.rend(); ++it) {
        ::umount2(it->c_str(), MNT_DETACH);
    }
}

}  // namespace zandor::test
