// Reading one folder of a walk: opening it below the look-in folder, reading
// its entries and describing those that the entry rules will want, whether a
// read-ahead helper does it or the walk itself.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/fs_fd.h"
#include "platform/result.h"
#include "search/contents_reader.h"
#include "search/entry_rules.h"
#include "search/folder_node.h"
#include "search/live_conditions.h"

namespace zandor {

// The entry rules of one helper thread with the conditions as they stand:
// which entries of a folder being read get described, so that a search that
// only names its matches asks the disk for nothing more.
class EntryDescriber {
  public:
    EntryDescriber(EntryRules rules, const LiveConditionsBoard& live)
        : m_rules(std::move(rules)), m_live(live) {}

    // What the walk will want of an entry whose kind is known.
    EntryNeeds needs(std::string_view name, bool isFolder) {
        return m_rules.needs(name, isFolder, m_live.refresh());
    }
    bool leavesOut(std::string_view name, bool isFolder, std::string_view folderBelow) {
        return m_rules.leavesOut(name, isFolder, folderBelow);
    }
    bool includesSubFolders() { return EntryRules::entersFolders(m_live.refresh()); }

    // Runs the file tests on entry of the folder open on folderFd, reading
    // its contents when every other test holds, and keeps what was found
    // for the walk: its verdict and the description the tests asked for.
    void judgeContents(int folderFd, AheadEntry& entry, const std::atomic<bool>& stop);

  private:
    EntryRules m_rules;
    LiveConditionsReader m_live;
    ContentsReader m_reader;
};

// Describes entry of the folder open on folderFd unless it is described
// already; false when it cannot be (entry.gone tells whether it vanished).
bool describeEntry(int folderFd, AheadEntry& entry);

// Reads entry of the folder open on folderFd for the containing text unless
// a verdict for the same text is there already; the verdict.
ContentsVerdict contentsOf(int folderFd, AheadEntry& entry, EntryRules& rules,
                           const LiveConditions& live, ContentsReader& reader,
                           const std::atomic<bool>& stop);

// Opens a folder below the look-in folder (open on rootFd) by its relative
// path, never through a symbolic link in any part of it, as the walk's own
// openings through each parent never follow one. ENOSYS where the kernel
// has no openat2 (before 5.6).
Result<UniqueFd> openBelow(int rootFd, const std::string& relativePath);

// The sub-folder name of the folder open on parentFd, never through a link.
Result<UniqueFd> openSubFolderOf(int parentFd, const char* name);

// Fills node from the folder open on fd (or the error that kept it from
// being opened): its identity, whether it may be entered from a
// folder on parentDevice (never when onlyDevice is given and the folder is
// on another), and its entries. With a describer (on a helper),
// also each entry's kind, the descriptions the describer asks for, and a
// pending node for each sub-folder. Without one (on the walk) the walk asks
// for those itself when it comes to the entry, as a walk alone does.
void prepareFolder(const std::shared_ptr<FolderNode>& node, Result<UniqueFd> fd, dev_t parentDevice,
                   std::optional<dev_t> onlyDevice, EntryDescriber* describer,
                   const std::atomic<bool>& stop);

// The pending node of the sub-folder `entry` of folder.
std::shared_ptr<FolderNode> subFolderNode(const std::shared_ptr<FolderNode>& folder,
                                          const AheadEntry& entry, std::uint32_t index);

}  // namespace zandor
