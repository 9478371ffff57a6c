#include "results/row_compare.h"

namespace zandor {

namespace {

unsigned char folded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

}  // namespace

int compareNoCase(std::string_view a, std::string_view b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = folded(a[i]);
        const unsigned char y = folded(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return compareNumbers(a.size(), b.size());
}

int compareRows(const ResultRow& a, const ResultRow& b, SortKey key) {
    switch (key) {
        case SortKey::Name:
            return compareNoCase(a.m_strName, b.m_strName);
        case SortKey::Path:
            return compareNoCase(a.m_strPath, b.m_strPath);
        case SortKey::Size:
            return compareNumbers(a.m_size, b.m_size);
        case SortKey::Type:
            return compareNoCase(a.m_strType, b.m_strType);
        case SortKey::Created:
            return compareNumbers(a.m_created, b.m_created);
        case SortKey::LastWrite:
            return compareNumbers(a.m_lastWrite, b.m_lastWrite);
    }
    return 0;
}

}  // namespace zandor
