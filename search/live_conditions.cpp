#include "search/live_conditions.h"

namespace zandor {

LiveConditionsBoard::LiveConditionsBoard() : LiveConditionsBoard(LiveConditions{}) {}

LiveConditionsBoard::LiveConditionsBoard(LiveConditions initial)
    : m_current(std::make_shared<const LiveConditions>(std::move(initial))) {}

void LiveConditionsBoard::publish(LiveConditions conditions) {
    auto next = std::make_shared<const LiveConditions>(std::move(conditions));
    {
        std::lock_guard lock(m_mutex);
        m_current = std::move(next);
        // Bumped under the lock, after the swap: a reader that sees the new
        // version and then locks is sure to get this snapshot or a newer one.
        m_version.fetch_add(1, std::memory_order_release);
    }
}

std::shared_ptr<const LiveConditions> LiveConditionsBoard::current() const {
    std::lock_guard lock(m_mutex);
    return m_current;
}

}  // namespace zandor
