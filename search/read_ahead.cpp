#include "search/read_ahead.h"

#include <algorithm>
#include <cerrno>
#include <iterator>

#include "platform/fs_mounts.h"
#include "search/disk_pace.h"

namespace zandor {

namespace {

// Whether the kernel here offers openat2 (5.6 and later); without it the
// walk prepares every folder itself.
bool helpersCanOpen(int rootFd) {
    const Result<UniqueFd> self = openBelow(rootFd, ".");
    return self.ok() || self.error().code != ENOSYS;
}

}  // namespace

void ReadAhead::release(std::size_t entries) {
    bool wake = false;
    {
        std::lock_guard lock(m_mutex);
        --m_waitingFolders;
        m_waitingEntries -= entries;
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
    const std::size_t taken =
        kWalkOpenFolders + kProgramReserve + 2 * std::size_t{helpers} + kRetireBatch;
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

ReadAhead::ReadAhead(UniqueFd rootFd, HelperCount helpers, const EntryRules& rules,
                     const LiveConditionsBoard& live, const std::atomic<bool>& stop)
    : m_root(std::move(rootFd)),
      m_rules(rules),
      m_live(live),
      m_stop(stop),
      m_walkDescriber(rules, live) {
    const unsigned most = std::max(helpers.atStart, helpers.atMost);
    m_maxWaitingFolders = waitingFoldersFor(openFileLimit(), most);
    m_maxRetiredOpen = m_maxWaitingFolders / 2;
    if (most == 0 || m_maxWaitingFolders == 0 || !m_root.valid() || !helpersCanOpen(m_root.get())) {
        return;
    }
    m_active = helpers.atStart;
    m_mayGrow = m_active < most;
    m_helpers.reserve(most);
    for (unsigned i = 0; i < most; ++i) {
        m_helpers.emplace_back([this, i](const std::stop_token& token) { helperMain(token, i); });
    }
}

ReadAhead::~ReadAhead() {
    // Every helper is asked first, so that none waits for another's join;
    // a request wakes a helper's wait at once.
    for (std::jthread& helper : m_helpers) {
        helper.request_stop();
    }
    m_helpers.clear();
    // The folders still held give their counts back while the counts are there.
    m_leaving.clear();
    m_retired.clear();
}

std::shared_ptr<FolderNode> ReadAhead::prepareRoot(UniqueFd fd) {
    auto root = std::make_shared<FolderNode>(std::string(), std::vector<std::uint32_t>{},
                                             std::weak_ptr<FolderNode>());
    root->claim();
    const Result<FolderId> id = folderIdOf(fd.get());
    const dev_t device = id.ok() ? id.value().dev : 0;
    if (m_rules.staysOnDisk() && id.ok()) {
        m_onlyDevice = device;
    }
    prepareFolder(root, std::move(fd), device, m_onlyDevice, nullptr, m_stop);
    root->publish();
    offer(subFoldersToOffer(root, true), m_walkDescriber);
    return root;
}

void ReadAhead::ready(const std::shared_ptr<FolderNode>& node, int parentFd, dev_t parentDevice) {
    if (node->claim()) {
        prepareFolder(node, openSubFolderOf(parentFd, node->name()), parentDevice, m_onlyDevice,
                      nullptr, m_stop);
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
    bool manyOpen = false;
    {
        std::lock_guard lock(m_mutex);
        manyOpen = m_retired.size() >= m_maxRetiredOpen;
    }
    if (manyOpen) {
        // The helpers are slow to come for them: the walk closes the folders
        // itself rather than hold ever more descriptors open.
        for (const std::shared_ptr<FolderNode>& leaving : m_leaving) {
            leaving->fd.reset();
        }
    }
    bool wake = false;
    {
        // Whether a helper sleeps is read under the same lock as the batch is
        // added: a helper that fell asleep between the two would otherwise
        // miss it, with no timeout to wake it.
        std::lock_guard lock(m_mutex);
        std::move(m_leaving.begin(), m_leaving.end(), std::back_inserter(m_retired));
        wake = m_sleeping > 0;
    }
    m_leaving.clear();
    if (wake) {
        m_changed.notify_one();
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
        std::lock_guard lock(m_mutex);
        wake = std::min(folders.size(), m_sleeping);
        for (auto& folder : folders) {
            m_queue.push(std::move(folder));
        }
    }
    for (std::size_t i = 0; i < wake; ++i) {
        m_changed.notify_one();
    }
}

bool ReadAhead::workWithRoom() const {
    return !m_queue.empty() && m_waitingFolders < m_maxWaitingFolders &&
           m_waitingEntries < kMaxWaitingEntries;
}

std::shared_ptr<FolderNode> ReadAhead::takeQueued() {
    std::lock_guard lock(m_mutex);
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
    prepareFolder(node, openBelow(m_root.get(), node->relativePath()), parent->id.dev, m_onlyDevice,
                  &describer, m_stop);
    return true;
}

void ReadAhead::handOver(const std::shared_ptr<FolderNode>& node, EntryDescriber& describer) {
    {
        std::lock_guard lock(m_mutex);
        ++m_waitingFolders;
        m_waitingEntries += node->entries.size();
    }
    node->countIn(this);
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
        std::lock_guard lock(m_mutex);
        m_active = static_cast<unsigned>(m_helpers.size());
    }
    m_grown.notify_all();
}

std::size_t ReadAhead::helpersAsleep() const {
    std::lock_guard lock(m_mutex);
    return m_sleeping + m_unwoken;
}

std::shared_ptr<FolderNode> ReadAhead::nextFolder(const std::stop_token& stop, unsigned index) {
    // Declared first so that the folders taken to free go after the lock.
    std::vector<std::shared_ptr<FolderNode>> retired;
    std::unique_lock lock(m_mutex);
    // Not yet woken: waits on its own signal, so that the wake-ups meant for
    // working helpers never fall to it.
    ++m_unwoken;
    const bool woken = m_grown.wait(lock, stop, [&] { return index < m_active; });
    --m_unwoken;
    if (!woken) {
        return nullptr;
    }
    ++m_sleeping;
    const bool roomAndWork =
        m_changed.wait(lock, stop, [this] { return !m_retired.empty() || workWithRoom(); });
    --m_sleeping;
    if (!m_retired.empty()) {
        // Freeing them makes room, so it comes before new work.
        retired.swap(m_retired);
        return nullptr;
    }
    if (!roomAndWork) {
        return nullptr;
    }
    std::shared_ptr<FolderNode> node = m_queue.top();
    m_queue.pop();
    return node;
}

void ReadAhead::helperMain(const std::stop_token& stop, unsigned index) {
    EntryDescriber describer(m_rules, m_live);
    DiskPace pace;
    const ThreadClock clock;
    // The search's Stop reaches a helper through the walk, which ends the
    // read-ahead once it sees it; the flag is also read here so that a
    // helper stops taking work as soon as the walk does.
    while (!stop.stop_requested() && !m_stop.load(std::memory_order_relaxed)) {
        const std::shared_ptr<FolderNode> node = nextFolder(stop, index);
        if (!node) {
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
