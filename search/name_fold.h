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

}  // namespace zandor
