#include "search/name_fold.h"

#include <unicode/uchar.h>

#include "platform/utf8.h"

namespace zandor {
namespace {

char asciiLowerByte(unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
}

void appendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The ASCII letters lower-cased, every other byte kept; true when the name
// held a byte above 0x7F, which only the slow path can fold.
bool lowerAscii(std::string_view name, std::string& folded) {
    folded.resize(name.size());
    unsigned char seen = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        seen |= c;
        folded[i] = asciiLowerByte(c);
    }
    return (seen & 0x80U) != 0;
}

}  // namespace

void foldCase(std::string_view name, std::string& folded) {
    if (!lowerAscii(name, folded)) {
        return;
    }
    // A folded letter may take another number of bytes than the original
    // (the Kelvin sign is three, k is one), so the name is written anew.
    std::string unicode;
    unicode.reserve(name.size());
    for (std::size_t pos = 0; pos < name.size();) {
        const auto lead = static_cast<unsigned char>(name[pos]);
        if (lead < 0x80) {
            unicode.push_back(asciiLowerByte(lead));
            ++pos;
            continue;
        }
        char32_t character = 0;
        const std::size_t length = utf8SequenceAt(name, pos, &character);
        if (length == 0) {
            // A byte that starts no UTF-8 letter is kept as it is, so that
            // folding works letter by letter: folding a name, and folding the
            // parts a pattern is cut into at "." and "*", give the same letters.
            unicode.push_back(static_cast<char>(lead));
            ++pos;
            continue;
        }
        const UChar32 fold = u_foldCase(static_cast<UChar32>(character), U_FOLD_CASE_DEFAULT);
        appendUtf8(static_cast<char32_t>(fold), unicode);
        pos += length;
    }
    folded.swap(unicode);
}

}  // namespace zandor
