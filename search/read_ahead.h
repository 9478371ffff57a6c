// ReadAhead: helper threads that prepare folders (open them, read their
// entries, describe the entries the walk will want) ahead of the walk, the
// folder the walk will need soonest first, so that a cold disk has many reads
// in flight while the walk itself stays one depth-first pass in its own
// order. Bounded: helpers wait while enough prepared folders wait for the
// walk. Each helper is a std::jthread whose every wait ends on its stop
// token, so ending the read-ahead ends them at once. A walk may start with few helpers and
// wake more once it finds the disk slow (see DiskPace).
#pragma once

#include <sys/types.h>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <queue>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/fs_fd.h"
#include "search/entry_rules.h"
#include "search/folder_node.h"
#include "search/folder_reading.h"
#include "search/live_conditions.h"
#include "search/match.h"

namespace zandor {

// How many helpers a walk starts with, and how many it may grow to once its
// helpers find themselves waiting on the disk. With none at the start, only
// the walk prepares queued folders until growToMost() is called.
struct HelperCount {
    unsigned atStart = 0;
    unsigned atMost = 0;
};

class ReadAhead final : private FolderBudget {
  public:
    // Prepared folders (and their entries) that may wait for the walk at once,
    // each holding its folder open; fewer where the process may open few
    // files (waitingFoldersFor).
    static constexpr std::size_t kMaxWaitingFolders = 256;
    static constexpr std::size_t kMaxWaitingEntries = 1 << 18;
    // Longest relative path a helper opens in one call; deeper folders are
    // prepared by the walk itself, through their parent.
    static constexpr std::size_t kMaxHelperPath = 1024;
    // Folders the walk leaves that go to the helpers together, to be closed
    // and freed; once half as many as may wait are left open for them, the
    // walk closes the folders it leaves itself.
    static constexpr std::size_t kRetireBatch = 32;
    // Folders the walk holds open on its way down.
    static constexpr std::size_t kWalkOpenFolders = 128;

    // How many prepared folders may wait for the walk in a process that may
    // hold openFiles descriptors, with this many helpers: what is left after
    // the walk's own open folders, a reserve for the rest of the program,
    // two for each helper (its folder in hand, its clock) and a batch of left
    // folders, shared
    // with the left folders that wait to be closed (half as many as wait for
    // the walk). 0 when that leaves too few for helpers to be worth having:
    // then the walk runs alone, as it needs no more than its own folders.
    static std::size_t waitingFoldersFor(std::size_t openFiles, unsigned helpers);

    // rootFd is the look-in folder; helpers open folders below it, never
    // through a symbolic link. With no helpers the walk prepares every folder.
    // Helpers run at the priority of the thread that makes the read-ahead (the
    // walk's): the walk waits for the folder a helper holds, so a helper below
    // the walk would keep it waiting whenever other work holds the processors.
    // rules are the walk's; each helper works with a copy of its own.
    ReadAhead(UniqueFd rootFd, HelperCount helpers, const EntryRules& rules,
              const LiveConditionsBoard& live, const std::atomic<bool>& stop);
    ~ReadAhead();  // asks the helpers to stop, which ends their waits, and joins them
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The look-in folder, prepared on this thread from fd.
    std::shared_ptr<FolderNode> prepareRoot(UniqueFd fd);
    // Makes node ready for the walk: prepares it on this thread through its
    // parent, open on parentFd, or, while a helper prepares it, prepares the
    // folders the helpers would take next rather than sleep (until the disk
    // is found slow: then a folder of the walk's own could keep the rows
    // waiting on a disk read, and it sleeps).
    void ready(const std::shared_ptr<FolderNode>& node, int parentFd, dev_t parentDevice);

    // Takes a folder the walk has left. With helpers, they close it and free
    // what was prepared for it, in batches: most of that memory was allocated
    // by a helper, and freeing it on the walk made the walk wait on the
    // helpers' allocator locks (the commonest wait of a warm walk); closing a
    // folder frees what the kernel kept of its listing, which, like the
    // memory, is cheaper freed near where it was made.
    void retire(std::shared_ptr<FolderNode> node);

    // Wakes every helper; the helpers do so themselves once they find the
    // disk slow.
    void growToMost();

    // Helpers asleep in a wait: for work or room, or to be woken at all.
    std::size_t helpersAsleep() const;

    // Folders the walk prepared from the queue while it waited for a helper.
    std::size_t preparedByWalk() const { return m_preparedByWalk.load(std::memory_order_relaxed); }

    // The helpers a walk uses when not told: one a core while folders come
    // from the page cache (with the walk, one thread more than there are
    // cores), and enough reads in flight for a cold disk once it is slow.
    static HelperCount defaultHelpers();
    // Exactly helpers, from the start.
    static HelperCount fixedHelpers(unsigned helpers) { return {helpers, helpers}; }

  private:
    struct Later {
        bool operator()(const std::shared_ptr<FolderNode>& a,
                        const std::shared_ptr<FolderNode>& b) const {
            return a->order() > b->order();
        }
    };

    // The sub-folders of a prepared node that helpers may prepare, their nodes
    // made first where the node has none (only on the thread that owns it).
    std::vector<std::shared_ptr<FolderNode>> subFoldersToOffer(
        const std::shared_ptr<FolderNode>& node, bool makeMissing);
    // Queues folders for the helpers, while sub-folders are included.
    void offer(std::vector<std::shared_ptr<FolderNode>> folders, EntryDescriber& describer);
    // Whether a folder is queued and prepared folders have room to wait; under
    // the budget's lock.
    bool workWithRoom() const;
    // The queued folder nearest in order, while prepared folders have room to
    // wait; nullptr otherwise.
    std::shared_ptr<FolderNode> takeQueued();
    // Prepares a folder taken from the queue by its path below the look-in
    // folder; false when it is not this thread's to prepare (another took it,
    // or the walk has passed its parent and will never enter it).
    bool prepareQueued(const std::shared_ptr<FolderNode>& node, EntryDescriber& describer);
    // Counts a prepared folder against the bound, hands it to the walk and
    // queues its sub-folders.
    void handOver(const std::shared_ptr<FolderNode>& node, EntryDescriber& describer);
    // A prepared folder the walk has passed gives back its room.
    void release(std::size_t entries) override;
    void helperMain(const std::stop_token& stop, unsigned index);
    // Takes the next folder for helper index: nullptr when it is to look
    // again (after freeing left folders), or once it is asked to stop.
    std::shared_ptr<FolderNode> nextFolder(const std::stop_token& stop, unsigned index);

    UniqueFd m_root;
    const EntryRules m_rules;  // copied here, on the walk's thread, for the helpers to copy
    const LiveConditionsBoard& m_live;
    std::optional<dev_t> m_onlyDevice;  // the look-in folder's, when the walk stays on it
    const std::atomic<bool>& m_stop;
    EntryDescriber m_walkDescriber;

    // Guards what follows, up to m_grown.
    mutable std::mutex m_mutex;
    std::condition_variable_any m_changed;  // work or room for it, or left folders to free
    std::size_t m_waitingFolders = 0;       // prepared and counted in, not yet released
    std::size_t m_waitingEntries = 0;
    std::size_t m_sleeping = 0;  // helpers waiting for work or for room
    std::size_t m_unwoken = 0;   // helpers waiting to be woken
    std::priority_queue<std::shared_ptr<FolderNode>, std::vector<std::shared_ptr<FolderNode>>,
                        Later>
        m_queue;
    std::vector<std::shared_ptr<FolderNode>> m_retired;  // for the helpers to free
    std::vector<std::shared_ptr<FolderNode>> m_leaving;  // the walk's next batch of them
    unsigned m_active = 0;                               // helpers below this index take work
    std::condition_variable_any m_grown;                 // wakes the others once they may
    std::atomic<bool> m_mayGrow{false};                  // some helpers are still asleep
    std::atomic<bool> m_walkHelps{true};                 // the disk has not been found slow
    std::atomic<std::size_t> m_preparedByWalk{0};
    std::size_t m_maxWaitingFolders = kMaxWaitingFolders;
    std::size_t m_maxRetiredOpen = kMaxWaitingFolders / 2;
    std::vector<std::jthread> m_helpers;  // last: they go first, while all else is there
};

}  // namespace zandor
