// ContentsSearch: whether a stream of bytes, fed in pieces of any size, holds
// a containing text. Case-sensitive, bytes compare exactly; case-blind, the
// stream and the text compare folded as names are (simple Unicode case
// folding, bytes that start no letter kept as they are). A match may straddle
// any number of pieces.
// Case-blind, a piece that is all ASCII is searched as it stands for both
// cases of each letter, and so is any piece for a text that folds to ASCII,
// unless the piece holds a letter that folds into it (the Kelvin sign, the
// long s); only the other pieces are folded first.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "search/literal_finder.h"

namespace zandor {

class ContentsSearch {
  public:
    ContentsSearch(std::string_view text, bool caseSensitive);

    // Starts a new stream.
    void start();
    // Searches the next piece; true once the text has been found.
    bool feed(std::string_view piece);
    // Ends the stream (a UTF-8 sequence cut at its end is taken as it is);
    // whether the text was found.
    bool finish();

    bool found() const { return m_found; }
    const std::string& text() const { return m_text; }
    bool caseSensitive() const { return m_caseSensitive; }

  private:
    void feedExact(std::string_view piece);
    void feedAscii(std::string_view piece);
    void feedFolding(std::string_view piece);
    // For a needle that folded is all ASCII: the piece as it stands.
    void feedRaw(std::string_view piece);
    // Whether the piece, after what the last one cut, may hold a letter
    // outside ASCII that folds into it (the Kelvin sign, the long s).
    bool mayFoldToAscii(std::string_view piece);
    // Keeps the last size - 1 bytes of what was searched so far (the seam),
    // given the bytes just searched after the seam.
    void keepSeam(std::string_view searched);

    std::string m_text;  // as given
    bool m_caseSensitive;
    std::string m_needle;     // the text as compared: folded when case-blind
    LiteralFinder m_exact;    // the needle, byte for byte
    LiteralFinder m_ascii;    // the needle, A-Z as a-z: for ASCII pieces
    bool m_asciiNeedle;       // case-blind, and the needle folded is all ASCII
    bool m_foldedIntoNeedle;  // and holds an s or a k, which letters outside ASCII fold to
    std::string m_seam;       // the end of the stream so far, as compared
    std::string m_cut;        // a UTF-8 sequence cut by the end of the last piece
    std::string m_scratch;    // the seam and the start of a piece, as compared
    std::string m_joined;     // a cut sequence and the piece that ends it
    // Grown, never cleared (folding writes every byte it hands on); a copy
    // of the search starts with none.
    class Scratch {
      public:
        Scratch() = default;
        Scratch(const Scratch& /*other*/) {}
        Scratch& operator=(const Scratch& /*other*/) { return *this; }
        Scratch(Scratch&&) noexcept = default;
        Scratch& operator=(Scratch&&) noexcept = default;
        ~Scratch() = default;
        char* atLeast(std::size_t bytes);

      private:
        std::unique_ptr<char[]> m_bytes;
        std::size_t m_capacity = 0;
    };
    Scratch m_folded;  // the seam and a folded piece
    bool m_found = false;
};

}  // namespace zandor
