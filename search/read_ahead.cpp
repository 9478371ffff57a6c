#include "search/read_ahead.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <iterator>

#include "platform/fs_mounts.h"
#include "platform/fs_path.h"
#include "search/disk_pace.h"
#include "search/name_fold.h"

namespace zandor {

namespace {

// Helpers poll Stop this often while they wait for work or for room.
constexpr auto kStopPoll = std::chrono::milliseconds(10);

// Opens a folder below the look-in folder by its relative path, never
// through a symbolic link in any part of it, as the walk's own openings
// through each parent never follow one.
Result<UniqueFd> openBelow(int rootFd, const std::string& relativePath) {
    open_how how{};
    how.flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    UniqueFd fd(
        static_cast<int>(::syscall(SYS_openat2, rootFd, relativePath.c_str(), &how, sizeof how)));
    if (!fd.valid()) {
        return Error::fromErrno(errno);
    }
    return fd;
}

// Whether the kernel here offers openat2 (5.6 and later); without it the
// walk prepares every folder itself.
bool helpersCanOpen(int rootFd) {
    const Result<UniqueFd> self = openBelow(rootFd, ".");
    return self.ok() || self.error().code != ENOSYS;
}

// The smallest record getdents64 writes: its header and a short name, padded.
constexpr std::size_t kSmallestDirRecord = 24;

Result<UniqueFd> openSubFolderOf(int parentFd, const char* name) {
    UniqueFd fd = openSubFolder(parentFd, name);
    if (!fd.valid()) {
        return Error::fromErrno(errno);
    }
    return fd;
}

}  // namespace

std::string_view EntryDescriber::compared(std::string_view name) {
    if (m_pattern.m_bCaseSensitive) {
        return name;
    }
    foldCase(name, m_lower);
    return m_lower;
}

bool EntryDescriber::wants(std::string_view name, bool isFolder) {
    const LiveConditions& live = m_live.refresh();
    if (isFolder) {
        // A folder is listed, and described, only without a size or type condition.
        return m_wantsMetadata && !live.m_bTypeFilter && !live.m_bSizeFilter &&
               folderNameMatches(m_pattern, compared(name));
    }
    if (!nameAdmitsAll(m_pattern)) {
        const std::string_view inCase = compared(name);
        if (!fileNameMatches(m_pattern, inCase) || !fileExtensionMatches(m_pattern, inCase)) {
            return false;
        }
    }
    return live.m_bSizeFilter || live.m_bDateFilter || m_wantsMetadata;
}

void prepareFolder(const std::shared_ptr<FolderNode>& node, Result<UniqueFd> opened,
                   dev_t parentDevice, EntryDescriber* describer, const std::atomic<bool>& stop) {
    FolderNode& folder = *node;
    if (!opened.ok()) {
        folder.error = opened.error();
        return;
    }
    UniqueFd fd = std::move(opened.value());
    const Result<FolderId> id = folderIdOf(fd.get());
    if (!id.ok()) {
        folder.error = id.error();
        return;
    }
    folder.id = id.value();
    // The walk knows the folders on its way down; a helper asks the nodes.
    if (describer != nullptr) {
        folder.loop = folder.repeatsAnAncestor();
    }
    // A pseudo file system mounted below the look-in folder holds no user
    // files and may not end.
    folder.enterable = folder.id.dev == parentDevice || !isOnPseudoFileSystem(fd.get());
    if (!folder.enterable || folder.loop) {
        return;
    }
    if (Result<void> read = folder.listing.read(fd.get(), &stop); !read.ok()) {
        folder.error = read.error();
        return;
    }
    folder.fd = std::move(fd);
    // One allocation for the entries: none is shorter than the smallest record.
    folder.entries.reserve(folder.listing.size() / kSmallestDirRecord);
    auto cursor = folder.listing.cursor();
    DirEntry raw{};
    while (cursor.next(raw) && !stop.load(std::memory_order_relaxed)) {
        if (IsDots(raw.name)) {
            continue;
        }
        AheadEntry& entry = folder.entries.emplace_back();
        entry.name = raw.name;
        entry.kind = raw.kind;
        if (describer == nullptr) {
            continue;
        }
        const bool unknown = raw.kind == EntryKind::Unknown;
        const bool wanted = !unknown && describer->wants(entry.name, raw.kind == EntryKind::Folder);
        if (unknown || wanted) {
            if (const auto info = statEntryAt(folder.fd.get(), entry.name.data())) {
                entry.kind = info->isFolder ? EntryKind::Folder : EntryKind::File;
                // Asked only for its kind, an entry is described only if it
                // would have been asked for anyway.
                entry.described = wanted || describer->wants(entry.name, info->isFolder);
                entry.info = *info;
            }
        }
        if (entry.kind == EntryKind::Folder) {
            entry.child =
                subFolderNode(node, entry, static_cast<std::uint32_t>(folder.entries.size() - 1));
        }
    }
}

std::shared_ptr<FolderNode> subFolderNode(const std::shared_ptr<FolderNode>& folder,
                                          const AheadEntry& entry, std::uint32_t index) {
    std::vector<std::uint32_t> order = folder->order();
    order.push_back(index);
    return std::make_shared<FolderNode>(folder->relativePath().empty()
                                            ? std::string(entry.name)
                                            : joinPath(folder->relativePath(), entry.name),
                                        std::move(order), folder);
}

void ReadAheadBudget::release(std::size_t entries) {
    bool wake = false;
    {
        std::lock_guard lock(m_mutex);
        --m_folders;
        m_entries -= entries;
        wake = m_sleeping > 0;
    }
    // One folder's room is work for one helper.
    if (wake) {
        m_changed.notify_one();
    }
}

std::size_t ReadAhead::waitingFoldersFor(std::size_t openFiles, unsigned helpers) {
    // Standard streams, the window's connections and icons, a trash operation.
    constexpr std::size_t kProgramReserve = 64;
    // Fewer prepared folders than this would keep the helpers mostly waiting.
    constexpr std::size_t kFewestWaiting = 16;
    // Each helper holds the folder in hand and its clock's schedstat file.
    const std::size_t taken = kWalkOpenFolders + kProgramReserve + 2 * helpers + kRetireBatch;
    if (openFiles <= taken) {
        return 0;
    }
    // Those waiting and, half as many again, those left to be closed.
    const std::size_t waiting = std::min(kMaxWaitingFolders, (openFiles - taken) * 2 / 3);
    return waiting < kFewestWaiting ? 0 : waiting;
}

HelperCount ReadAhead::defaultHelpers() {
    const unsigned cores = std::max(1U, std::thread::hardware_concurrency());
    return {cores, std::max(cores, std::clamp(4 * cores, 4U, 16U))};
}

ReadAhead::ReadAhead(UniqueFd rootFd, HelperCount helpers, const NamePattern& pattern,
                     const LiveConditionsBoard& live, bool wantsMetadata,
                     const std::atomic<bool>& stop)
    : m_root(std::move(rootFd)),
      m_pattern(pattern),
      m_live(live),
      m_wantsMetadata(wantsMetadata),
      m_stop(stop),
      m_walkDescriber(pattern, live, wantsMetadata) {
    const unsigned most = std::max(helpers.atStart, helpers.atMost);
    m_maxWaitingFolders = waitingFoldersFor(openFileLimit(), most);
    m_maxRetiredOpen = m_maxWaitingFolders / 2;
    if (most == 0 || m_maxWaitingFolders == 0 || !m_root.valid() || !helpersCanOpen(m_root.get())) {
        return;
    }
    m_active = helpers.atStart;
    m_mayGrow = m_active < most;
    for (unsigned i = 0; i < most; ++i) {
        m_helpers.emplace_back(&ReadAhead::helperMain, this, i);
    }
}

ReadAhead::~ReadAhead() {
    {
        std::lock_guard lock(m_budget.m_mutex);
        m_quit = true;
    }
    m_budget.m_changed.notify_all();
    m_grown.notify_all();
    for (std::thread& helper : m_helpers) {
        helper.join();
    }
}

std::shared_ptr<FolderNode> ReadAhead::prepareRoot(UniqueFd fd) {
    auto root = std::make_shared<FolderNode>(std::string(), std::vector<std::uint32_t>{},
                                             std::weak_ptr<FolderNode>());
    root->claim();
    const Result<FolderId> id = folderIdOf(fd.get());
    prepareFolder(root, std::move(fd), id.ok() ? id.value().dev : 0, nullptr, m_stop);
    root->publish();
    offer(subFoldersToOffer(root, true), m_walkDescriber);
    return root;
}

void ReadAhead::ready(const std::shared_ptr<FolderNode>& node, int parentFd, dev_t parentDevice) {
    if (node->claim()) {
        prepareFolder(node, openSubFolderOf(parentFd, node->name()), parentDevice, nullptr, m_stop);
        node->publish();
        offer(subFoldersToOffer(node, true), m_walkDescriber);
        return;
    }
    // On a warm cache a helper's folder is ready about as soon as the walk
    // could have prepared another, and two threads that wait on each other
    // would leave a core idle; so the walk works the queue meanwhile.
    while (!node->ready() && m_walkHelps.load(std::memory_order_relaxed) &&
           !m_stop.load(std::memory_order_relaxed)) {
        const std::shared_ptr<FolderNode> queued = takeQueued();
        if (!queued) {
            break;
        }
        if (prepareQueued(queued, m_walkDescriber)) {
            handOver(queued, m_walkDescriber);
            m_preparedByWalk.fetch_add(1, std::memory_order_relaxed);
        }
    }
    node->waitReady();
}

void ReadAhead::retire(std::shared_ptr<FolderNode> node) {
    if (m_helpers.empty()) {
        node->fd.reset();
        return;
    }
    m_leaving.push_back(std::move(node));
    if (m_leaving.size() < kRetireBatch) {
        return;
    }
    bool wake = false;
    bool manyOpen = false;
    {
        std::lock_guard lock(m_budget.m_mutex);
        manyOpen = m_retired.size() >= m_maxRetiredOpen;
        wake = m_budget.m_sleeping > 0;
    }
    if (manyOpen) {
        // The helpers are slow to come for them: the walk closes the folders
        // itself rather than hold ever more descriptors open.
        for (const std::shared_ptr<FolderNode>& leaving : m_leaving) {
            leaving->fd.reset();
        }
    }
    {
        std::lock_guard lock(m_budget.m_mutex);
        std::move(m_leaving.begin(), m_leaving.end(), std::back_inserter(m_retired));
    }
    m_leaving.clear();
    if (wake) {
        m_budget.m_changed.notify_one();
    }
}

std::vector<std::shared_ptr<FolderNode>> ReadAhead::subFoldersToOffer(
    const std::shared_ptr<FolderNode>& node, bool makeMissing) {
    std::vector<std::shared_ptr<FolderNode>> offered;
    if (m_helpers.empty() || node->error || !node->enterable || node->loop) {
        return offered;
    }
    // One allocation, not one for each doubling.
    offered.reserve(node->entries.size());
    for (std::size_t index = 0; index < node->entries.size(); ++index) {
        AheadEntry& entry = node->entries[index];
        if (makeMissing && entry.kind == EntryKind::Folder && !entry.child) {
            entry.child = subFolderNode(node, entry, static_cast<std::uint32_t>(index));
        }
        if (entry.child && entry.child->relativePath().size() <= kMaxHelperPath) {
            offered.push_back(entry.child);
        }
    }
    return offered;
}

void ReadAhead::offer(std::vector<std::shared_ptr<FolderNode>> folders, EntryDescriber& describer) {
    if (folders.empty() || !describer.includesSubFolders()) {
        return;
    }
    std::size_t wake = 0;
    {
        std::lock_guard lock(m_budget.m_mutex);
        wake = std::min(folders.size(), m_budget.m_sleeping);
        for (auto& folder : folders) {
            m_queue.push(std::move(folder));
        }
    }
    for (std::size_t i = 0; i < wake; ++i) {
        m_budget.m_changed.notify_one();
    }
}

bool ReadAhead::workWithRoom() const {
    return !m_queue.empty() && m_budget.m_folders < m_maxWaitingFolders &&
           m_budget.m_entries < kMaxWaitingEntries;
}

std::shared_ptr<FolderNode> ReadAhead::takeQueued() {
    std::lock_guard lock(m_budget.m_mutex);
    if (!workWithRoom()) {
        return nullptr;
    }
    std::shared_ptr<FolderNode> node = m_queue.top();
    m_queue.pop();
    return node;
}

bool ReadAhead::prepareQueued(const std::shared_ptr<FolderNode>& node, EntryDescriber& describer) {
    const std::shared_ptr<FolderNode> parent = node->parent();
    if (!parent || !node->claim()) {
        return false;
    }
    prepareFolder(node, openBelow(m_root.get(), node->relativePath()), parent->id.dev, &describer,
                  m_stop);
    return true;
}

void ReadAhead::handOver(const std::shared_ptr<FolderNode>& node, EntryDescriber& describer) {
    {
        std::lock_guard lock(m_budget.m_mutex);
        ++m_budget.m_folders;
        m_budget.m_entries += node->entries.size();
    }
    node->countIn(&m_budget);
    // Taken before the walk may see the node: from then on its entries are the walk's.
    std::vector<std::shared_ptr<FolderNode>> subFolders = subFoldersToOffer(node, false);
    node->publish();
    offer(std::move(subFolders), describer);
}

void ReadAhead::growToMost() {
    m_walkHelps.store(false, std::memory_order_relaxed);
    if (!m_mayGrow.exchange(false)) {
        return;
    }
    {
        std::lock_guard lock(m_budget.m_mutex);
        m_active = static_cast<unsigned>(m_helpers.size());
    }
    m_grown.notify_all();
}

std::shared_ptr<FolderNode> ReadAhead::nextFolder(unsigned index) {
    // Declared first so that the folders taken to free go after the lock.
    std::vector<std::shared_ptr<FolderNode>> retired;
    std::unique_lock lock(m_budget.m_mutex);
    if (index >= m_active) {
        // Not yet woken: waits on its own signal, so that the wake-ups meant
        // for working helpers never fall to it.
        m_grown.wait_for(lock, kStopPoll, [&] { return m_quit || index < m_active; });
        return nullptr;
    }
    ++m_budget.m_sleeping;
    const bool roomAndWork = m_budget.m_changed.wait_for(
        lock, kStopPoll, [this] { return m_quit || !m_retired.empty() || workWithRoom(); });
    --m_budget.m_sleeping;
    if (!m_retired.empty()) {
        // Freeing them makes room, so it comes before new work.
        retired.swap(m_retired);
        return nullptr;
    }
    if (m_quit || !roomAndWork) {
        return nullptr;
    }
    std::shared_ptr<FolderNode> node = m_queue.top();
    m_queue.pop();
    return node;
}

void ReadAhead::helperMain(unsigned index) {
    EntryDescriber describer(m_pattern, m_live, m_wantsMetadata);
    DiskPace pace;
    const ThreadClock clock;
    while (!m_stop.load(std::memory_order_relaxed)) {
        const std::shared_ptr<FolderNode> node = nextFolder(index);
        if (!node) {
            std::lock_guard lock(m_budget.m_mutex);
            if (m_quit) {
                return;
            }
            continue;
        }
        const bool timed = m_mayGrow.load(std::memory_order_relaxed) && pace.timesNext();
        const ThreadTimes before = timed ? clock.now() : ThreadTimes{};
        if (!prepareQueued(node, describer)) {
            continue;
        }
        if (timed && pace.waitsOnDisk(clock.now() - before)) {
            growToMost();
        }
        handOver(node, describer);
    }
}

}  // namespace zandor
