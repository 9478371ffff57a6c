// The conditions that stay live during a search: the form publishes a new
// immutable snapshot whenever one of them changes, and the walk picks up the
// newest one before each entry, so a change applies from the next entry on.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace zandor {

// The relation of the size condition, in the order the form lists them.
enum class SizeRelation : int { AtLeast = 0, AtMost = 1, Equal = 2 };
// Which time the date condition tests; None (no choice made) tests the last
// write, as Modified does.
enum class DateKind : int { None = -1, Created = 0, Modified = 1 };

struct LiveConditions {
    bool m_bSizeFilter = false;
    bool m_bTypeFilter = false;
    bool m_bDateFilter = false;
    bool m_bIncludeSubDirs = true;
    SizeRelation m_nSizeRelation = SizeRelation::AtLeast;
    std::string m_strTypeExt;  // an extension, lower case, without the dot, or
                               // the word of a kind (kFileKinds)
    // The numbers and choices on the form that the size and date tests read.
    // A field that is not a number reads as 0.
    std::int64_t m_sizeKB = 0;
    std::int64_t m_days = 0;
    std::int64_t m_months = 0;
    DateKind m_dateKind = DateKind::None;
    bool m_daysChecked = true;  // days (else months) radio
    // The containing text: a file matches only when its contents hold it
    // (letter case as the name test compares it). Empty: contents are not read.
    std::string m_strContaining;
    bool m_bIncludeBinary = false;  // files with a NUL in their first 64 KiB are read too
    // Set by the board: changes whenever the containing text or the binary
    // choice does, so that a verdict reached under other words is not reused.
    std::uint32_t m_contentsSerial = 0;
};

// The one place where the current snapshot lives. A version number lets the
// walk notice a change with one atomic load per entry and take the lock only
// when something was published.
class LiveConditionsBoard {
  public:
    LiveConditionsBoard();
    explicit LiveConditionsBoard(LiveConditions initial);

    void publish(LiveConditions conditions);
    std::shared_ptr<const LiveConditions> current() const;
    std::uint64_t version() const { return m_version.load(std::memory_order_acquire); }

  private:
    mutable std::mutex m_mutex;
    std::shared_ptr<const LiveConditions> m_current;
    std::atomic<std::uint64_t> m_version{0};
};

// A reader's cached view of a board: refresh() is cheap when nothing changed.
class LiveConditionsReader {
  public:
    explicit LiveConditionsReader(const LiveConditionsBoard& board)
        : m_board(board), m_version(board.version()), m_current(board.current()) {}

    const LiveConditions& refresh() {
        const std::uint64_t version = m_board.version();
        if (version != m_version) {
            m_version = version;
            m_current = m_board.current();
        }
        return *m_current;
    }

  private:
    const LiveConditionsBoard& m_board;
    std::uint64_t m_version;
    std::shared_ptr<const LiveConditions> m_current;
};

}  // namespace zandor
