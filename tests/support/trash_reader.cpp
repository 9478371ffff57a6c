#include "trash_reader.h"

#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "hex_text.h"
#include "run_process.h"
#include "temp_tree.h"

namespace zandor::test {

namespace {

// Undoes the percent-encoding of a Path= value; every other byte stands for
// itself. A "%" not followed by two hex digits is an error.
bool percentDecode(const std::string& encoded, std::string& decoded) {
    decoded.clear();
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] != '%') {
            decoded.push_back(encoded[i]);
            continue;
        }
        if (i + 2 >= encoded.size()) {
            return false;
        }
        const int high = hexDigitValue(encoded[i + 1]);
        const int low = hexDigitValue(encoded[i + 2]);
        if (high < 0 || low < 0) {
            return false;
        }
        decoded.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return true;
}

}  // namespace

std::vector<TrashedItem> readTrash(const std::string& trashFolder, const std::string& topdir) {
    static const std::string kSuffix = ".trashinfo";
    std::vector<TrashedItem> items;
    for (const std::string& infoName : namesIn(trashFolder + "/info")) {
        TrashedItem item;
        item.infoPath = trashFolder + "/info/" + infoName;
        item.infoText = contentsOf(item.infoPath);
        EXPECT_TRUE(infoName.ends_with(kSuffix)) << infoName;
        EXPECT_TRUE(item.infoText.starts_with("[Trash Info]\n")) << item.infoText;
        item.storedPath =
            trashFolder + "/files/" + infoName.substr(0, infoName.size() - kSuffix.size());
        std::istringstream lines(item.infoText);
        std::string line;
        int paths = 0;
        while (std::getline(lines, line)) {
            if (line.starts_with("Path=")) {
                ++paths;
                EXPECT_TRUE(percentDecode(line.substr(5), item.originalPath)) << line;
            }
        }
        EXPECT_EQ(paths, 1) << item.infoText;
        if (!item.originalPath.starts_with('/')) {
            EXPECT_FALSE(topdir.empty()) << "a relative Path= in the home trash: " << item.infoText;
            item.originalPath = topdir + "/" + item.originalPath;
        }
        items.push_back(item);
    }
    std::sort(items.begin(), items.end(), [](const TrashedItem& a, const TrashedItem& b) {
        return a.originalPath < b.originalPath;
    });
    return items;
}

bool restoreFromTrash(const TrashedItem& item) {
    if (::syscall(SYS_renameat2, AT_FDCWD, item.storedPath.c_str(), AT_FDCWD,
                  item.originalPath.c_str(), RENAME_NOREPLACE) != 0) {
        return false;
    }
    return ::unlink(item.infoPath.c_str()) == 0;
}

SecondFileSystem::SecondFileSystem() {
    if (::geteuid() != 0) {
        m_skipReason = "mounting a second file system needs root";
        return;
    }
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/zandor-fs-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        m_skipReason = "no temporary folder";
        return;
    }
    m_folder = pattern;
    m_mountPoint = m_folder + "/mnt";
    const std::string image = m_folder + "/fs.img";
    ::mkdir(m_mountPoint.c_str(), 0755);
    const ProcessResult made = runProcess(
        {"/bin/sh", "-c", "truncate -s 16M '" + image + "' && mkfs.ext4 -q -F '" + image + "'"});
    if (made.exitCode != 0) {
        m_skipReason = "mkfs.ext4 failed: " + made.err;
        return;
    }
    const ProcessResult mounted = runProcess({"mount", "-o", "loop", image, m_mountPoint});
    if (mounted.exitCode != 0) {
        m_skipReason = "a loop device could not be mounted here: " + mounted.err;
        return;
    }
    m_mounted = true;
}

SecondFileSystem::~SecondFileSystem() {
    if (m_mounted) {
        runProcess({"umount", m_mountPoint});
    }
    if (!m_folder.empty()) {
        removeTree(m_folder);
    }
}

}  // namespace zandor::test
