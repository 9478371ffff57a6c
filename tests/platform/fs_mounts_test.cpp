#include "platform/fs_mounts.h"

#include "platform/fs_dir.h"
#include "temp_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zandor {
namespace {

std::vector<std::string> mountPoints(const std::vector<MountedVolume>& volumes) {
    std::vector<std::string> points;
    for (const auto& volume : volumes) {
        points.push_back(volume.mountPoint);
    }
    return points;
}

TEST(MountedVolumes, RealFileSystemsWithRootFirstThenInPathOrder) {
    const char* text =
        "22 1 0:21 / /proc rw,nosuid - proc proc rw\n"
        "30 1 8:2 / /home rw,relatime shared:2 - ext4 /dev/sda2 rw\n"
        "25 0 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "23 1 0:22 / /sys rw - sysfs sysfs rw\n"
        "31 30 8:3 / /home/u/My\\040Disk rw - vfat /dev/sdb1 rw\n"
        "32 1 0:25 / /run rw - tmpfs tmpfs rw\n"
        "33 1 8:4 / /boot/efi rw master:3 - vfat /dev/sda4 rw\n"
        "34 1 0:30 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
        "35 1 0:31 / /mnt/share rw - nfs4 server:/share rw\n"
        "36 1 8:5 / /boot/efi rw - ext4 /dev/sda5 rw\n"
        "garbage line\n";
    const auto volumes = parseMountInfo(text);
    EXPECT_EQ(mountPoints(volumes), (std::vector<std::string>{"/", "/boot/efi", "/home",
                                                              "/home/u/My Disk", "/mnt/share"}));
    EXPECT_EQ(volumes[1].fsType, "ext4");  // the later mount on /boot/efi hides the earlier
    EXPECT_EQ(volumes[0].source, "/dev/sda1");
}

TEST(MountedVolumes, ThisMachineListsRootFirst) {
    const auto volumes = mountedVolumes();
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.front().mountPoint, "/");
    for (const auto& volume : volumes) {
        EXPECT_FALSE(volume.mountPoint != "/" && isPseudoFileSystemType(volume.fsType))
            << volume.mountPoint;
    }
}

}  // namespace
}  // namespace zandor

namespace zandor {
namespace {

TEST(PseudoFileSystems, KernelFileSystemsAreToldApartFromDisks) {
    test::TempTree tree;
    for (const char* path : {"/proc", "/sys", "/proc/self"}) {
        Result<UniqueFd> fd = openFolder(path);
        ASSERT_TRUE(fd.ok()) << path;
        EXPECT_TRUE(isOnPseudoFileSystem(fd.value().get())) << path;
    }
    Result<UniqueFd> disk = openFolder(tree.root().c_str());
    ASSERT_TRUE(disk.ok());
    EXPECT_FALSE(isOnPseudoFileSystem(disk.value().get()));
    EXPECT_TRUE(isPseudoFileSystemType("cgroup2"));
    EXPECT_FALSE(isPseudoFileSystemType("ext4"));
}

}  // namespace
}  // namespace zandor
