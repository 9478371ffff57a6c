#include "search/contents_search.h"

#include <cstdint>
#include <cstring>

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

}  // namespace

ContentsSearch::ContentsSearch(std::string_view text, bool caseSensitive)
    : m_text(text),
      m_caseSensitive(caseSensitive),
      m_needle(caseSensitive ? std::string(text) : foldedText(text)),
      m_exact(m_needle, false),
      m_ascii(m_needle, true) {}

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

void ContentsSearch::feedFolding(std::string_view piece) {
    std::string joined;
    if (!m_cut.empty()) {
        joined = m_cut;
        joined.append(piece);
        piece = joined;
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
