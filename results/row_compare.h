// How two result rows compare for each sort key: texts as a case-blind byte
// comparison (A-Z as a-z, every other byte unsigned, a prefix first), sizes
// as 64-bit numbers, times as times.
#pragma once

#include <string_view>

#include "results/result_row.h"

namespace zandor {

enum class SortKey : unsigned {
    Name = 0,
    Path = 1,
    Size = 2,
    Type = 3,
    Created = 4,
    LastWrite = 5
};

// Negative, zero or positive as a sorts before, with or after b.
int compareNoCase(std::string_view a, std::string_view b);

// A text kept in two pieces that joined make it (a row's path: its folder's
// prefix and its name), compared as the joined text without joining it.
struct JoinedText {
    std::string_view head;
    std::string_view tail;
};
int compareNoCase(const JoinedText& a, const JoinedText& b);
// A row's path as such a text.
JoinedText pathOf(const ResultRow& row);

template <typename Number>
int compareNumbers(Number a, Number b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

// The comparison of the key's field of two rows that every sort follows
// (sortedOrder compares the same fields with the same functions).
int compareRows(const ResultRow& a, const ResultRow& b, SortKey key);

// True when a, standing just before b, is in the wrong order for the key and
// direction: the order every sort gives is the one where this never holds.
inline bool ShouldSwap(const ResultRow& a, const ResultRow& b, SortKey key, bool descending) {
    const int order = compareRows(a, b, key);
    return descending ? order < 0 : order > 0;
}

}  // namespace zandor
