// The letter case the name and extension tests ignore: simple Unicode case
// folding for a name in valid UTF-8, the ASCII letters alone for any other.
#pragma once

#include <string>
#include <string_view>

namespace zandor {

// Writes name into folded with every letter case-folded the simple way (one
// code point for one, as Unicode's CaseFolding gives with status C and S): Ä
// and ä both become ä, K and the Kelvin sign both k. In a name that is not
// valid UTF-8 each byte that starts no UTF-8 letter is kept as it is, so those
// bytes compare byte for byte while its letters still fold. Pure ASCII names
// take a fast path that never leaves the one loop.
void foldCase(std::string_view name, std::string& folded);

// The most bytes folding text of this many bytes can give: a letter of two
// bytes may fold to one of three.
inline std::size_t foldedCapacity(std::size_t bytes) {
    return bytes + bytes / 2 + 1;
}

// Writes text at out folded as foldCase folds it, eight ASCII bytes at a
// time where it can: for the contents of files, which are mostly ASCII. out
// holds foldedCapacity(text.size()) bytes; returns how many it wrote.
// Folding text piece by piece gives what folding it whole gives, as long as
// no piece but the last ends inside a UTF-8 sequence (see utf8CutAtEnd).
std::size_t foldCaseInto(std::string_view text, char* out);

// Appends text to out folded as foldCase folds it.
void foldCaseAppend(std::string_view text, std::string& out);

// How many bytes at the end of text start a UTF-8 sequence that text cuts
// short (0 to 3): a piece that ends there is folded without them, and they
// go before the next piece.
std::size_t utf8CutAtEnd(std::string_view text);

}  // namespace zandor
