// The mounted real file systems (the places a search can start from), and the
// test for the kernel's pseudo file systems that a walk must not enter.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zandor {

struct MountedVolume {
    std::string mountPoint;  // unescaped, raw bytes
    std::string fsType;
    std::string source;
};

// The real file systems from /proc/self/mountinfo: "/" first, then the others
// in path order, each mount point once, pseudo and memory file systems left out.
// "/" alone when the mount table cannot be read.
std::vector<MountedVolume> mountedVolumes();

// The same, from the text of a mountinfo file (for tests and other sources).
std::vector<MountedVolume> parseMountInfo(std::string_view text);

// True for the kernel's pseudo file systems (proc, sysfs, devpts, cgroup, ...)
// and memory file systems that hold no user files on a disk.
bool isPseudoFileSystemType(std::string_view fsType);

// True when the folder open on fd lies on a kernel pseudo file system, where a
// walk finds no user files and may never end.
bool isOnPseudoFileSystem(int fd);

}  // namespace zandor
