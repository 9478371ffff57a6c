#include "search/literal_finder.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zandor {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}
char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}

// Bytes roughly from the commonest in text and source code down; any byte
// not here is rarer than all of them.
constexpr std::string_view kCommonFirst =
    " etaoinsrhldcumfpgwybvkxjqz\n\t_.,;()=\"'-/:*{}<>#0123456789ETAOINSRHLDCUMFPGWYBVKXJQZ";

std::array<unsigned char, 256> makeRanks() {
    std::array<unsigned char, 256> ranks{};
    ranks.fill(255);
    for (std::size_t i = 0; i < kCommonFirst.size(); ++i) {
        ranks[static_cast<unsigned char>(kCommonFirst[i])] = static_cast<unsigned char>(i);
    }
    return ranks;
}

// Lower is commoner.
unsigned rarity(char c) {
    static const std::array<unsigned char, 256> kRanks = makeRanks();
    return kRanks[static_cast<unsigned char>(c)];
}

}  // namespace

LiteralFinder::LiteralFinder(std::string_view text, bool asciiCaseBlind)
    : m_text(text), m_caseBlind(asciiCaseBlind) {
    if (m_caseBlind) {
        for (char& c : m_text) {
            c = lowerAscii(c);
        }
    }
    for (std::size_t i = 1; i < m_text.size(); ++i) {
        if (rarity(m_text[i]) > rarity(m_text[m_first])) {
            m_first = i;
        }
    }
    m_second = m_first == 0 && m_text.size() > 1 ? 1 : 0;
    for (std::size_t i = 0; i < m_text.size(); ++i) {
        if (i != m_first && rarity(m_text[i]) > rarity(m_text[m_second])) {
            m_second = i;
        }
    }
}

bool LiteralFinder::matchesAt(const char* at) const {
    if (!m_caseBlind) {
        return std::memcmp(at, m_text.data(), m_text.size()) == 0;
    }
    for (std::size_t i = 0; i < m_text.size(); ++i) {
        if (lowerAscii(at[i]) != m_text[i]) {
            return false;
        }
    }
    return true;
}

bool LiteralFinder::scalarFrom(std::string_view block, std::size_t start) const {
    for (std::size_t at = start; at + m_text.size() <= block.size(); ++at) {
        if (matchesAt(block.data() + at)) {
            return true;
        }
    }
    return false;
}

#if defined(__SSE2__)

bool LiteralFinder::foundIn(std::string_view block) const {
    constexpr std::size_t kLanes = 16;
    if (m_text.empty()) {
        return true;
    }
    if (block.size() < m_text.size()) {
        return false;
    }
    const auto splat = [](char c) { return _mm_set1_epi8(c); };
    const __m128i firstLow = splat(m_text[m_first]);
    const __m128i firstHigh = splat(m_caseBlind ? upperAscii(m_text[m_first]) : m_text[m_first]);
    const __m128i secondLow = splat(m_text[m_second]);
    const __m128i secondHigh = splat(m_caseBlind ? upperAscii(m_text[m_second]) : m_text[m_second]);
    // Every start in [at, at + 16) is tested at once; the loads stay inside
    // the block as long as the last of those starts leaves room for the text.
    const std::size_t lastStart = block.size() - m_text.size();
    std::size_t at = 0;
    for (; at + kLanes <= lastStart + 1; at += kLanes) {
        const char* base = block.data() + at;
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + m_first));
        const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + m_second));
        const __m128i both = _mm_and_si128(
            _mm_or_si128(_mm_cmpeq_epi8(first, firstLow), _mm_cmpeq_epi8(first, firstHigh)),
            _mm_or_si128(_mm_cmpeq_epi8(second, secondLow), _mm_cmpeq_epi8(second, secondHigh)));
        auto candidates = static_cast<unsigned>(_mm_movemask_epi8(both));
        while (candidates != 0) {
            const auto lane = static_cast<std::size_t>(__builtin_ctz(candidates));
            if (matchesAt(base + lane)) {
                return true;
            }
            candidates &= candidates - 1;
        }
    }
    return scalarFrom(block, at);
}

#else

bool LiteralFinder::foundIn(std::string_view block) const {
    if (m_text.empty()) {
        return true;
    }
    if (!m_caseBlind) {
        return ::memmem(block.data(), block.size(), m_text.data(), m_text.size()) != nullptr;
    }
    return scalarFrom(block, 0);
}

#endif

}  // namespace zandor
