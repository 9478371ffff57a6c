#include "results/row_compare.h"

namespace zandor {

namespace {

unsigned char folded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

// The order of the first byte that differs within the shorter text's
// length, A-Z as a-z; 0 when that much of both is the same.
int firstDifference(std::string_view a, std::string_view b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = folded(a[i]);
        const unsigned char y = folded(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return 0;
}

}  // namespace

int compareNoCase(std::string_view a, std::string_view b) {
    const int order = firstDifference(a, b);
    return order != 0 ? order : compareNumbers(a.size(), b.size());
}

int compareNoCase(const JoinedText& a, const JoinedText& b) {
    // Walks both texts piece by piece: the common length of the pieces in
    // hand is compared, then whichever piece ran out gives way to the next.
    std::string_view x = a.head;
    std::string_view y = b.head;
    bool xTail = false;
    bool yTail = false;
    for (;;) {
        if (x.empty() && !xTail) {
            x = a.tail;
            xTail = true;
            continue;
        }
        if (y.empty() && !yTail) {
            y = b.tail;
            yTail = true;
            continue;
        }
        if (x.empty() || y.empty()) {
            return compareNumbers(x.size() + (xTail ? 0 : a.tail.size()),
                                  y.size() + (yTail ? 0 : b.tail.size()));
        }
        if (const int order = firstDifference(x, y); order != 0) {
            return order;
        }
        const std::size_t common = x.size() < y.size() ? x.size() : y.size();
        x.remove_prefix(common);
        y.remove_prefix(common);
    }
}

JoinedText pathOf(const ResultRow& row) {
    const auto [head, tail] = row.pathParts();
    return JoinedText{head, tail};
}

int compareRows(const ResultRow& a, const ResultRow& b, SortKey key) {
    switch (key) {
        case SortKey::Name:
            return compareNoCase(a.name(), b.name());
        case SortKey::Path:
            return compareNoCase(pathOf(a), pathOf(b));
        case SortKey::Size:
            return compareNumbers(a.m_size, b.m_size);
        case SortKey::Type:
            return compareNoCase(a.type(), b.type());
        case SortKey::Created:
            return compareNumbers(a.m_created, b.m_created);
        case SortKey::LastWrite:
            return compareNumbers(a.m_lastWrite, b.m_lastWrite);
    }
    return 0;
}

}  // namespace zandor
