#include "results/sort_order.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace zandor {

namespace {

// Keys sorted, or merged, between two looks at the stop token: a block of
// this many takes well under a millisecond, and the looks cost nothing.
constexpr std::size_t kBlock = 4096;

template <typename Key>
using Keyed = std::vector<std::pair<Key, std::uint32_t>>;

// Merges the sorted runs [first, middle) and [middle, last) of `from` into
// `to`, the first run's key winning ties so that equal keys keep their order.
// False, and the merge left unfinished, once stop is requested.
template <typename Key, typename Before>
bool mergeRuns(const Keyed<Key>& from, Keyed<Key>& to, std::size_t first, std::size_t middle,
               std::size_t last, Before before, const std::stop_token& stop) {
    std::size_t left = first;
    std::size_t right = middle;
    for (std::size_t out = first; out < last; ++out) {
        if (out % kBlock == 0 && stop.stop_requested()) {
            return false;
        }
        const bool takeRight = left == middle || (right < last && before(from[right], from[left]));
        to[out] = takeRight ? from[right++] : from[left++];
    }
    return true;
}

// A stable merge sort in blocks: each block of kBlock keys is sorted on its
// own, then runs of twice the length are merged pass by pass, the stop token
// polled between blocks and every kBlock keys of a merge.
template <typename Key, typename Before>
bool sortInBlocks(Keyed<Key>& keyed, Before before, const std::stop_token& stop) {
    const std::size_t size = keyed.size();
    for (std::size_t first = 0; first < size; first += kBlock) {
        if (stop.stop_requested()) {
            return false;
        }
        const auto begin = keyed.begin() + static_cast<std::ptrdiff_t>(first);
        std::stable_sort(begin, begin + static_cast<std::ptrdiff_t>(std::min(kBlock, size - first)),
                         before);
    }
    Keyed<Key> other(size);
    for (std::size_t run = kBlock; run < size; run *= 2) {
        for (std::size_t first = 0; first < size; first += 2 * run) {
            const std::size_t middle = std::min(first + run, size);
            const std::size_t last = std::min(first + 2 * run, size);
            if (!mergeRuns(keyed, other, first, middle, last, before, stop)) {
                return false;
            }
        }
        keyed.swap(other);
    }
    return true;
}

template <typename Key, typename Compare>
std::optional<std::vector<std::uint32_t>> sortPrepared(Keyed<Key> keyed, bool descending,
                                                       Compare compare,
                                                       const std::stop_token& stop) {
    // Equal keys keep their order in either direction, as a stable sort of the
    // rows themselves would.
    const auto before = [&](const auto& a, const auto& b) {
        const int order = compare(a.first, b.first);
        return descending ? order > 0 : order < 0;
    };
    if (!sortInBlocks(keyed, before, stop)) {
        return std::nullopt;
    }
    std::vector<std::uint32_t> order;
    order.reserve(keyed.size());
    for (const auto& entry : keyed) {
        order.push_back(entry.second);
    }
    return order;
}

template <typename Key, typename KeyOf>
Keyed<Key> prepared(const std::vector<const ResultRow*>& rows, KeyOf keyOf) {
    Keyed<Key> keyed;
    keyed.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        keyed.emplace_back(keyOf(*rows[i]), static_cast<std::uint32_t>(i));
    }
    return keyed;
}

std::optional<std::vector<std::uint32_t>> sortBy(const std::vector<const ResultRow*>& rows,
                                                 SortKey key, bool descending,
                                                 const std::stop_token& stop) {
    // The keys are those compareRows compares, taken out of the rows once.
    const auto text = [&](auto keyOf) {
        using Text = decltype(keyOf(*rows.front()));
        return sortPrepared(
            prepared<Text>(rows, keyOf), descending,
            [](const Text& a, const Text& b) { return compareNoCase(a, b); }, stop);
    };
    const auto number = [&](auto keyOf) {
        using Number = decltype(keyOf(*rows.front()));
        return sortPrepared(prepared<Number>(rows, keyOf), descending, compareNumbers<Number>,
                            stop);
    };
    switch (key) {
        case SortKey::Name:
            return text([](const ResultRow& r) { return r.name(); });
        case SortKey::Path:
            return text([](const ResultRow& r) { return pathOf(r); });
        case SortKey::Type:
            return text([](const ResultRow& r) { return r.type(); });
        case SortKey::Size:
            return number([](const ResultRow& r) { return r.m_size; });
        case SortKey::Created:
            return number([](const ResultRow& r) { return r.m_created; });
        case SortKey::LastWrite:
            return number([](const ResultRow& r) { return r.m_lastWrite; });
    }
    return std::vector<std::uint32_t>{};
}

}  // namespace

std::optional<std::vector<std::uint32_t>> sortedOrder(const std::vector<const ResultRow*>& rows,
                                                      SortKey key, bool descending,
                                                      const std::stop_token& stop) {
    if (stop.stop_requested()) {
        return std::nullopt;
    }
    if (rows.empty()) {
        return std::vector<std::uint32_t>{};
    }
    return sortBy(rows, key, descending, stop);
}

}  // namespace zandor
