#include "results/sort_order.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace zandor {

namespace {

struct Cancelled {};

// Checks the cancel flag once every kPollEvery comparisons: often enough that
// a cancel is felt within a millisecond, rarely enough to cost nothing.
class CancelPoll {
  public:
    explicit CancelPoll(const std::atomic<bool>* cancel) : m_cancel(cancel) {}
    void operator()() {
        if (m_cancel != nullptr && ++m_count % kPollEvery == 0 &&
            m_cancel->load(std::memory_order_relaxed)) {
            throw Cancelled{};
        }
    }

  private:
    static constexpr std::uint32_t kPollEvery = 4096;
    const std::atomic<bool>* m_cancel;
    std::uint32_t m_count = 0;
};

template <typename Key, typename Compare>
std::vector<std::uint32_t> sortPrepared(std::vector<std::pair<Key, std::uint32_t>> keyed,
                                        bool descending, Compare compare, CancelPoll& poll) {
    // Equal keys keep their order in either direction, as a stable sort of the
    // rows themselves would.
    std::stable_sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
        poll();
        const int order = compare(a.first, b.first);
        return descending ? order > 0 : order < 0;
    });
    std::vector<std::uint32_t> order;
    order.reserve(keyed.size());
    for (const auto& entry : keyed) {
        order.push_back(entry.second);
    }
    return order;
}

template <typename Key, typename KeyOf>
std::vector<std::pair<Key, std::uint32_t>> prepared(const std::vector<const ResultRow*>& rows,
                                                    KeyOf keyOf) {
    std::vector<std::pair<Key, std::uint32_t>> keyed;
    keyed.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        keyed.emplace_back(keyOf(*rows[i]), static_cast<std::uint32_t>(i));
    }
    return keyed;
}

template <typename Number>
int compareNumbers(Number a, Number b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

std::vector<std::uint32_t> sortBy(const std::vector<const ResultRow*>& rows, SortKey key,
                                  bool descending, CancelPoll& poll) {
    const auto text = [&](auto keyOf) {
        return sortPrepared(prepared<std::string_view>(rows, keyOf), descending, compareNoCase,
                            poll);
    };
    const auto number = [&](auto keyOf) {
        using Number = decltype(keyOf(*rows.front()));
        return sortPrepared(prepared<Number>(rows, keyOf), descending, compareNumbers<Number>,
                            poll);
    };
    switch (key) {
        case SortKey::Name:
            return text([](const ResultRow& r) { return std::string_view(r.m_strName); });
        case SortKey::Path:
            return text([](const ResultRow& r) { return std::string_view(r.m_strPath); });
        case SortKey::Type:
            return text([](const ResultRow& r) { return r.m_strType; });
        case SortKey::Size:
            return number([](const ResultRow& r) { return r.m_size; });
        case SortKey::Created:
            return number([](const ResultRow& r) { return r.m_created; });
        case SortKey::LastWrite:
            return number([](const ResultRow& r) { return r.m_lastWrite; });
    }
    return {};
}

}  // namespace

std::optional<std::vector<std::uint32_t>> sortedOrder(const std::vector<const ResultRow*>& rows,
                                                      SortKey key, bool descending,
                                                      const std::atomic<bool>* cancel) {
    if (rows.empty()) {
        return std::vector<std::uint32_t>{};
    }
    CancelPoll poll(cancel);
    try {
        return sortBy(rows, key, descending, poll);
    } catch (const Cancelled&) {
        return std::nullopt;
    }
}

}  // namespace zandor
