#include "search/contents_search.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "search/name_fold.h"

namespace zandor {

namespace {

bool allAscii(std::string_view piece) {
    std::uint64_t seen = 0;
    std::size_t at = 0;
    for (; at + sizeof seen <= piece.size(); at += sizeof seen) {
        std::uint64_t word = 0;
        std::memcpy(&word, piece.data() + at, sizeof word);
        seen |= word;
    }
    for (; at < piece.size(); ++at) {
        seen |= static_cast<unsigned char>(piece[at]);
    }
    return (seen & 0x8080808080808080ULL) == 0;
}

std::string foldedText(std::string_view text) {
    std::string folded;
    foldCase(text, folded);
    return folded;
}

// The only letters outside ASCII that fold into it (simple case folding).
constexpr std::string_view kKelvinSign = "\xE2\x84\xAA";  // U+212A, to k
constexpr std::string_view kLongS = "\xC5\xBF";           // U+017F, to s

// Whether bytes hold a Kelvin sign or a long s, in one pass: the last two
// bytes of either (84 AA, C5 BF) are looked for sixteen places at a time,
// and a Kelvin sign's first byte where they are found. A sign whose first
// bytes precede bytes is not seen.
bool holdsSignFoldingToAscii(std::string_view bytes) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const auto signEndsAt = [&](std::size_t i) {
        // i is where the sign's last two bytes begin.
        return (at(i) == 0xC5 && at(i + 1) == 0xBF) ||
               (at(i) == 0x84 && at(i + 1) == 0xAA && i > 0 && at(i - 1) == 0xE2);
    };
    std::size_t start = 0;
#if defined(__SSE2__)
    constexpr std::size_t kLanes = 16;
    const auto splat = [](unsigned char c) { return _mm_set1_epi8(static_cast<char>(c)); };
    const __m128i x84 = splat(0x84);
    const __m128i xAA = splat(0xAA);
    const __m128i xC5 = splat(0xC5);
    const __m128i xBF = splat(0xBF);
    for (; start + kLanes + 1 <= bytes.size(); start += kLanes) {
        const char* base = bytes.data() + start;
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base));
        const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + 1));
        const __m128i hits =
            _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi8(first, x84), _mm_cmpeq_epi8(second, xAA)),
                         _mm_and_si128(_mm_cmpeq_epi8(first, xC5), _mm_cmpeq_epi8(second, xBF)));
        for (auto lanes = static_cast<unsigned>(_mm_movemask_epi8(hits)); lanes != 0;
             lanes &= lanes - 1) {
            if (signEndsAt(start + static_cast<std::size_t>(__builtin_ctz(lanes)))) {
                return true;
            }
        }
    }
#endif
    for (std::size_t i = start; i + 1 < bytes.size(); ++i) {
        if (signEndsAt(i)) {
            return true;
        }
    }
    return false;
}

void lowerAsciiInPlace(std::string& text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + ('a' - 'A'));
        }
    }
}

}  // namespace

ContentsSearch::ContentsSearch(std::string_view text, bool caseSensitive)
    : m_text(text),
      m_caseSensitive(caseSensitive),
      m_needle(caseSensitive ? std::string(text) : foldedText(text)),
      m_exact(m_needle, false),
      m_ascii(m_needle, true),
      m_asciiNeedle(!caseSensitive && allAscii(m_needle)),
      m_foldedIntoNeedle(m_asciiNeedle && m_needle.find_first_of("sk") != std::string::npos) {}

void ContentsSearch::start() {
    m_seam.clear();
    m_cut.clear();
    m_found = false;
}

bool ContentsSearch::feed(std::string_view piece) {
    if (m_found || piece.empty()) {
        return m_found;
    }
    if (m_caseSensitive) {
        feedExact(piece);
    } else if (m_asciiNeedle && !(m_foldedIntoNeedle && mayFoldToAscii(piece))) {
        feedRaw(piece);
    } else if (m_cut.empty() && allAscii(piece)) {
        feedAscii(piece);
    } else {
        feedFolding(piece);
    }
    return m_found;
}

bool ContentsSearch::finish() {
    if (!m_found && !m_cut.empty()) {
        // A sequence the stream ends inside is no letter: its bytes are kept.
        m_scratch = m_seam;
        foldCaseAppend(m_cut, m_scratch);
        m_found = m_exact.foundIn(m_scratch);
    }
    m_cut.clear();
    return m_found;
}

void ContentsSearch::feedExact(std::string_view piece) {
    // The seam and the first bytes of the piece hold every match that
    // starts before the piece and ends in it.
    if (!m_seam.empty()) {
        m_scratch = m_seam;
        m_scratch.append(piece.substr(0, m_needle.size() - 1));
        if (m_exact.foundIn(m_scratch)) {
            m_found = true;
            return;
        }
    }
    m_found = m_exact.foundIn(piece);
    keepSeam(piece);
}

void ContentsSearch::feedAscii(std::string_view piece) {
    // Folding an ASCII piece lower-cases its A-Z and nothing else.
    if (!m_seam.empty()) {
        m_scratch = m_seam;
        foldCaseAppend(piece.substr(0, m_needle.size() - 1), m_scratch);
        if (m_exact.foundIn(m_scratch)) {
            m_found = true;
            return;
        }
    }
    m_found = m_ascii.foundIn(piece);
    const std::size_t keep = std::min(piece.size(), m_needle.size() - 1);
    m_scratch.clear();
    foldCaseAppend(piece.substr(piece.size() - keep), m_scratch);
    keepSeam(m_scratch);
}

bool ContentsSearch::mayFoldToAscii(std::string_view piece) {
    if (!m_cut.empty()) {
        // A sign that the last piece cut ends within this one's first bytes.
        m_scratch = m_cut;
        m_scratch.append(piece.substr(0, kKelvinSign.size() - 1));
        if (m_scratch.find(kKelvinSign) != std::string::npos ||
            m_scratch.find(kLongS) != std::string::npos) {
            return true;
        }
    }
    return holdsSignFoldingToAscii(piece);
}

void ContentsSearch::feedRaw(std::string_view piece) {
    // Folding keeps every ASCII byte in its place (A-Z as a-z), and with no
    // Kelvin sign or long s that the needle could take, turns no other byte
    // into ASCII: those bytes only part the runs of ASCII, as they do here,
    // so an ASCII needle is found in the piece as it stands exactly when it
    // would be in the piece folded. The seam is kept with A-Z as a-z, as the
    // other paths keep it, and a sequence cut at the end of the piece stays
    // out of it, so that a piece the folding path takes next finds what it
    // expects.
    const std::size_t keep = m_needle.empty() ? 0 : m_needle.size() - 1;
    if (!m_seam.empty()) {
        m_scratch = m_seam;
        m_scratch.append(m_cut);
        m_scratch.append(piece.substr(0, keep));
        if (m_ascii.foundIn(m_scratch)) {
            m_found = true;
            return;
        }
    }
    if (m_ascii.foundIn(piece)) {
        m_found = true;
        return;
    }
    // A sequence is at most four bytes: a piece of three or more tells its
    // own cut; a shorter one may end a sequence the last piece began.
    std::size_t cut = 0;
    if (piece.size() >= 3) {
        cut = utf8CutAtEnd(piece);
    } else {
        m_scratch = m_cut;
        m_scratch.append(piece);
        cut = utf8CutAtEnd(m_scratch);
    }
    if (cut <= piece.size()) {
        keepSeam(m_cut);
        keepSeam(piece.substr(0, piece.size() - cut));
        m_cut.assign(piece.substr(piece.size() - cut));
    } else {
        // The piece and the end of the last cut are still one cut sequence.
        const std::size_t fromLast = cut - piece.size();
        keepSeam(std::string_view(m_cut).substr(0, m_cut.size() - fromLast));
        m_cut.erase(0, m_cut.size() - fromLast);
        m_cut.append(piece);
    }
    lowerAsciiInPlace(m_seam);
}

void ContentsSearch::feedFolding(std::string_view piece) {
    if (!m_cut.empty()) {
        m_joined = m_cut;
        m_joined.append(piece);
        piece = m_joined;
    }
    const std::size_t cut = utf8CutAtEnd(piece);
    m_cut.assign(piece.substr(piece.size() - cut));
    piece.remove_suffix(cut);
    const std::size_t seamSize = m_seam.size();
    char* const out = m_folded.atLeast(seamSize + foldedCapacity(piece.size()));
    std::memcpy(out, m_seam.data(), seamSize);
    const std::size_t written = foldCaseInto(piece, out + seamSize);
    const std::string_view folded(out, seamSize + written);
    m_found = m_exact.foundIn(folded);
    keepSeam(folded.substr(seamSize));
}

char* ContentsSearch::Scratch::atLeast(std::size_t bytes) {
    if (bytes > m_capacity) {
        m_bytes = std::make_unique_for_overwrite<char[]>(bytes);
        m_capacity = bytes;
    }
    return m_bytes.get();
}

void ContentsSearch::keepSeam(std::string_view searched) {
    const std::size_t keep = m_needle.empty() ? 0 : m_needle.size() - 1;
    if (searched.size() >= keep) {
        m_seam.assign(searched.substr(searched.size() - keep));
        return;
    }
    m_seam.append(searched);
    if (m_seam.size() > keep) {
        m_seam.erase(0, m_seam.size() - keep);
    }
}

}  // namespace zandor
