// FolderNode: one folder of a walk as it is prepared for the walk: opened, its
// entries read, each entry's kind known and, where the walk will want them,
// its size and times. A helper thread or the walk itself prepares it; the
// walk then reads it without further system calls.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs_descent.h"
#include "platform/fs_dir.h"
#include "platform/fs_entry_info.h"
#include "platform/fs_fd.h"
#include "platform/result.h"
#include "search/contents_reader.h"

namespace zandor {

class FolderNode;

// The bound on prepared folders that wait for the walk: a node counted in
// gives its count back as it goes.
class FolderBudget {
  public:
    virtual void release(std::size_t entries) = 0;

  protected:
    FolderBudget() = default;
    ~FolderBudget() = default;
    FolderBudget(const FolderBudget&) = default;
    FolderBudget& operator=(const FolderBudget&) = default;
};

struct AheadEntry {
    std::string_view name;  // NUL-terminated, in the node's listing
    EntryKind kind = EntryKind::Unknown;
    bool described = false;  // info describes the entry
    bool gone = false;       // describing it found it gone (not merely unreadable)
    bool special = false;    // as DirEntry::special: its contents are never read
    // What reading it for the containing text found, and for which text
    // (the live conditions' contents serial): a verdict for other words is
    // read again.
    ContentsVerdict contents = ContentsVerdict::Unread;
    std::uint32_t contentsSerial = 0;
    EntryInfo info;
    std::shared_ptr<FolderNode> child;  // for a folder: the node that prepares it, once made
};

class FolderNode {
  public:
    enum class State : int { Pending, Preparing, Ready };

    // A folder below the look-in folder: its path relative to it, and its
    // place in depth-first order (the index of each folder on the way).
    FolderNode(std::string relativePath, std::vector<std::uint32_t> order,
               std::weak_ptr<FolderNode> parent);
    ~FolderNode();
    FolderNode(const FolderNode&) = delete;
    FolderNode& operator=(const FolderNode&) = delete;

    const std::string& relativePath() const { return m_relativePath; }
    // The folder's own name, as its parent lists it.
    const char* name() const { return m_relativePath.c_str() + m_nameAt; }
    const std::vector<std::uint32_t>& order() const { return m_order; }
    std::shared_ptr<FolderNode> parent() const { return m_parent.lock(); }

    // Takes the node for preparing; false when another thread took it first.
    bool claim() {
        State pending = State::Pending;
        return m_state.compare_exchange_strong(pending, State::Preparing,
                                               std::memory_order_acq_rel);
    }
    // Makes what was prepared visible to the walk, and wakes it if it waits.
    void publish();
    // Waits until the node is ready.
    void waitReady() const;
    bool ready() const { return m_state.load(std::memory_order_acquire) == State::Ready; }

    // Whether the folder, once its id is known, is one of the folders above it.
    bool repeatsAnAncestor() const;

    // Counts the node against the read-ahead's bound until it goes.
    void countIn(FolderBudget* budget);

    // What preparing found; read only once ready.
    UniqueFd fd;                 // open while the walk may still need it
    std::optional<Error> error;  // why the folder could not be opened or read
    FolderId id{};               // valid without error
    bool enterable = false;      // not a pseudo file system reached from another one
    bool loop = false;           // the same folder as one above it
    DirListing listing;
    std::vector<AheadEntry> entries;

  private:
    std::string m_relativePath;
    std::size_t m_nameAt;
    std::vector<std::uint32_t> m_order;
    std::weak_ptr<FolderNode> m_parent;
    std::atomic<State> m_state{State::Pending};
    FolderBudget* m_budget = nullptr;
};

}  // namespace zandor
