#include "search/name_fold.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/utf8.h"

namespace zandor {
namespace {

char asciiLowerByte(unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
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

constexpr std::uint64_t kEveryByte = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x80 * kEveryByte;

// Eight ASCII bytes with A-Z lower-cased: a byte gains 0x20 where it is at
// least 'A' and not above 'Z' (no sum carries into the next byte, as every
// byte is below 0x80).
std::uint64_t lowerAsciiWord(std::uint64_t word) {
    const std::uint64_t atLeastA = word + (0x80 - 'A') * kEveryByte;
    const std::uint64_t aboveZ = word + (0x7F - 'Z') * kEveryByte;
    return word | (((atLeastA & ~aboveZ) & kHighBits) >> 2);
}

// The length a UTF-8 sequence that starts with lead would have; 0 for a
// byte that starts none.
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    return lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
}

}  // namespace

std::size_t foldCaseInto(std::string_view text, char* out) {
    std::size_t written = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::uint64_t word = 0;
        if (text.size() - pos >= sizeof word) {
            std::memcpy(&word, text.data() + pos, sizeof word);
            if ((word & kHighBits) == 0) {
                word = lowerAsciiWord(word);
                std::memcpy(out + written, &word, sizeof word);
                pos += sizeof word;
                written += sizeof word;
                continue;
            }
        }
        const auto lead = static_cast<unsigned char>(text[pos]);
        char32_t character = 0;
        const std::size_t length = lead < 0x80 ? 1 : utf8SequenceAt(text, pos, &character);
        if (length <= 1) {
            // A byte that starts no UTF-8 letter is kept as it is, so that
            // folding works letter by letter: folding a name, and folding the
            // parts a pattern is cut into at "." and "*", give the same letters.
            out[written++] = asciiLowerByte(lead);
            ++pos;
            continue;
        }
        // A folded letter may take another number of bytes than the original
        // (the Kelvin sign is three, k is one).
        const UChar32 fold = u_foldCase(static_cast<UChar32>(character), U_FOLD_CASE_DEFAULT);
        written += encodeUtf8(static_cast<char32_t>(fold), out + written);
        pos += length;
    }
    return written;
}

void foldCaseAppend(std::string_view text, std::string& out) {
    const std::size_t start = out.size();
    out.resize(start + foldedCapacity(text.size()));
    out.resize(start + foldCaseInto(text, out.data() + start));
}

std::size_t utf8CutAtEnd(std::string_view text) {
    const std::size_t back = std::min<std::size_t>(3, text.size());
    for (std::size_t i = 1; i <= back; ++i) {
        const auto byte = static_cast<unsigned char>(text[text.size() - i]);
        if ((byte & 0xC0U) != 0x80) {
            // The nearest byte that is no continuation: a lead whose sequence
            // would reach past the end is cut.
            return sequenceLength(byte) > i ? i : 0;
        }
    }
    return 0;
}

void foldCase(std::string_view name, std::string& folded) {
    if (!lowerAscii(name, folded)) {
        return;
    }
    std::string unicode;
    unicode.reserve(name.size());
    foldCaseAppend(name, unicode);
    folded.swap(unicode);
}

}  // namespace zandor
