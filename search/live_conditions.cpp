#include "search/live_conditions.h"

#include <utility>

namespace zandor {

LiveConditionsBoard::LiveConditionsBoard() : LiveConditionsBoard(LiveConditions{}) {}

LiveConditionsBoard::LiveConditionsBoard(LiveConditions initial)
    : m_current(std::make_shared<const LiveConditions>(std::move(initial))) {}

void LiveConditionsBoard::publish(LiveConditions conditions) {
    std::shared_ptr<const LiveConditions> previous;  // freed after the lock
    std::lock_guard lock(m_mutex);
    const LiveConditions& before = *m_current;
    const bool sameContents = before.m_strContaining == conditions.m_strContaining &&
                              before.m_bIncludeBinary == conditions.m_bIncludeBinary;
    conditions.m_contentsSerial = before.m_contentsSerial + (sameContents ? 0 : 1);
    previous =
        std::exchange(m_current, std::make_shared<const LiveConditions>(std::move(conditions)));
    // Bumped under the lock, after the swap: a reader that sees the new
    // version and then locks is sure to get this snapshot or a newer one.
    m_version.fetch_add(1, std::memory_order_release);
}

std::shared_ptr<const LiveConditions> LiveConditionsBoard::current() const {
    std::lock_guard lock(m_mutex);
    return m_current;
}

}  // namespace zandor
