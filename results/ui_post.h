// The one way work reaches the window's thread from a worker: a call posted
// to a QObject's thread, and a mailbox that gathers what a worker hands over
// between two deliveries, so that at most one delivery is queued at a time.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <functional>
#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>

namespace zandor {

// Runs call on the receiver's thread from its event loop; dropped if the
// receiver is gone by then. The call may own what it carries (move-only).
template <typename Call>
void postToThreadOf(QObject* receiver, Call&& call) {
    auto owned = std::make_shared<std::decay_t<Call>>(std::forward<Call>(call));
    QMetaObject::invokeMethod(
        receiver, [owned] { (*owned)(); }, Qt::QueuedConnection);
}

// What a worker hands over, kept under a lock of its own. The first change
// after a take posts one call of `arrived` to the receiver's thread; changes
// made before that thread takes the value join it without posting again, so
// a fast worker never floods the event loop. The mailbox must live as long
// as its receiver (it is a member of it).
template <typename Value>
class UiMailbox {
  public:
    UiMailbox(QObject* receiver, std::function<void()> arrived)
        : m_receiver(receiver), m_arrived(std::move(arrived)) {}
    UiMailbox(const UiMailbox&) = delete;
    UiMailbox& operator=(const UiMailbox&) = delete;

    // Worker side: change(value) replaces the value or adds to it.
    template <typename Change>
    void update(Change&& change) {
        bool post = false;
        {
            std::lock_guard lock(m_mutex);
            std::forward<Change>(change)(m_value);
            post = !m_posted;
            m_posted = true;
        }
        if (post) {
            postToThreadOf(m_receiver, [this] { m_arrived(); });
        }
    }

    // Receiver's side: take(value) takes what it needs; the next change
    // posts a delivery again.
    template <typename Take>
    auto take(Take&& take) {
        std::lock_guard lock(m_mutex);
        m_posted = false;
        return std::forward<Take>(take)(m_value);
    }

  private:
    QObject* m_receiver;
    std::function<void()> m_arrived;
    std::mutex m_mutex;
    Value m_value{};
    bool m_posted = false;
};

}  // namespace zandor
