#include "platform/fs_mounts.h"

#include <linux/magic.h>
#include <sys/vfs.h>

#include <algorithm>
#include <array>
#include <iterator>

#include "platform/fs_file.h"

namespace zandor {

namespace {

// mountinfo escapes blanks, tabs, newlines and backslashes as \ooo.
std::string unescapeOctal(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const bool octal = field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' &&
                           field[i + 1] <= '3' && field[i + 2] >= '0' && field[i + 2] <= '7' &&
                           field[i + 3] >= '0' && field[i + 3] <= '7';
        if (octal) {
            out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                            (field[i + 3] - '0')));
            i += 3;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t end = std::min(line.find(' ', pos), line.size());
        if (end > pos) {
            fields.push_back(line.substr(pos, end - pos));
        }
        pos = end + 1;
    }
    return fields;
}

bool beforeInPathOrder(const MountedVolume& a, const MountedVolume& b) {
    if ((a.mountPoint == "/") != (b.mountPoint == "/")) {
        return a.mountPoint == "/";
    }
    return a.mountPoint < b.mountPoint;
}

}  // namespace

bool isPseudoFileSystemType(std::string_view fsType) {
    static constexpr std::array<std::string_view, 28> kPseudo = {
        "proc",       "sysfs",       "devpts",          "devtmpfs",    "cgroup", "cgroup2",
        "debugfs",    "tracefs",     "securityfs",      "pstore",      "bpf",    "configfs",
        "fusectl",    "mqueue",      "hugetlbfs",       "binfmt_misc", "autofs", "efivarfs",
        "rpc_pipefs", "nsfs",        "selinuxfs",       "tmpfs",       "ramfs",  "squashfs",
        "nfsd",       "fuse.portal", "fuse.gvfsd-fuse", "fuse.lxcfs"};
    return std::find(kPseudo.begin(), kPseudo.end(), fsType) != kPseudo.end();
}

std::vector<MountedVolume> parseMountInfo(std::string_view text) {
    std::vector<MountedVolume> volumes;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        const auto fields = splitFields(text.substr(pos, end - pos));
        pos = end + 1;
        // id parent major:minor root mount-point options [optional...] - type source ...
        const auto dash = std::find(fields.begin(), fields.end(), std::string_view("-"));
        if (fields.size() < 5 || dash == fields.end() || std::distance(dash, fields.end()) < 3) {
            continue;
        }
        MountedVolume volume{unescapeOctal(fields[4]), unescapeOctal(*(dash + 1)),
                             unescapeOctal(*(dash + 2))};
        if (volume.mountPoint != "/" && isPseudoFileSystemType(volume.fsType)) {
            continue;
        }
        // A later mount on the same point hides the earlier one.
        std::erase_if(volumes,
                      [&](const MountedVolume& v) { return v.mountPoint == volume.mountPoint; });
        volumes.push_back(std::move(volume));
    }
    std::stable_sort(volumes.begin(), volumes.end(), beforeInPathOrder);
    return volumes;
}

std::vector<MountedVolume> mountedVolumes() {
    // Without a mount table (no /proc) the search can still start from "/".
    const Result<std::string> table = readFileText("/proc/self/mountinfo");
    auto volumes = table.ok() ? parseMountInfo(table.value()) : std::vector<MountedVolume>{};
    if (volumes.empty() || volumes.front().mountPoint != "/") {
        volumes.insert(volumes.begin(), MountedVolume{"/", "", ""});
    }
    return volumes;
}

bool isOnPseudoFileSystem(int fd) {
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0) {
        return false;
    }
    switch (static_cast<unsigned long>(fs.f_type)) {
        case PROC_SUPER_MAGIC:
        case SYSFS_MAGIC:
        case DEVPTS_SUPER_MAGIC:
        case CGROUP_SUPER_MAGIC:
        case CGROUP2_SUPER_MAGIC:
        case DEBUGFS_MAGIC:
        case TRACEFS_MAGIC:
        case SECURITYFS_MAGIC:
        case PSTOREFS_MAGIC:
        case BPF_FS_MAGIC:
        case 0x62656570UL:  // configfs
        case 0x65735543UL:  // fusectl
        case 0x19800202UL:  // mqueue
        case BINFMTFS_MAGIC:
        case SELINUX_MAGIC:
        case NSFS_MAGIC:
        case EFIVARFS_MAGIC:
        case AUTOFS_SUPER_MAGIC:
            return true;
        default:
            return false;
    }
}

}  // namespace zandor
