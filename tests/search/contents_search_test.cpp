// The contents test on bytes: a text found in a stream fed in pieces of any
// size, exactly or with letter case folded as names are, compared with a
// plain reference that folds the whole stream at once and looks with find.
#include "search/contents_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "search/literal_finder.h"
#include "search/name_fold.h"
#include "utf8_encode.h"

namespace zandor {
namespace {

// What the search must answer: the folded text inside the folded stream.
bool reference(std::string_view stream, std::string_view text, bool caseSensitive) {
    if (caseSensitive) {
        return stream.find(text) != std::string_view::npos;
    }
    std::string foldedStream;
    std::string foldedText;
    foldCase(stream, foldedStream);
    foldCase(text, foldedText);
    return foldedStream.find(foldedText) != std::string::npos;
}

// Feeds stream cut at the given places.
bool fedInPieces(ContentsSearch& search, std::string_view stream,
                 const std::vector<std::size_t>& cuts) {
    search.start();
    std::size_t from = 0;
    for (const std::size_t cut : cuts) {
        search.feed(stream.substr(from, cut - from));
        from = cut;
    }
    search.feed(stream.substr(from));
    return search.finish();
}

bool everySplitAgrees(std::string_view stream, std::string_view text, bool caseSensitive) {
    ContentsSearch search(text, caseSensitive);
    const bool expected = reference(stream, text, caseSensitive);
    if (fedInPieces(search, stream, {}) != expected) {
        return false;
    }
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        if (fedInPieces(search, stream, {cut}) != expected) {
            ADD_FAILURE() << "cut at " << cut;
            return false;
        }
    }
    // Every byte a piece of its own.
    std::vector<std::size_t> all;
    for (std::size_t cut = 1; cut < stream.size(); ++cut) {
        all.push_back(cut);
    }
    return fedInPieces(search, stream, all) == expected;
}

TEST(ContentsSearch, FindsTextAcrossEveryCutOfTheStream) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"the quick brown fox", "brown"},
        {"the quick brown fox", "BROWN"},
        {"the quick brown fox", "the quick brown fox"},
        {"the quick brown fox", "fox "},
        {"Straße and STRASSE", "straße"},
        {"ÄRGER über Öl", "ärger ÜBER öl"},
        {"\xe2\x84\xaa is a Kelvin sign", "k is"},  // the Kelvin sign folds to k
        {"kelvin",
         "\xe2\x84\xaa"
         "elvin"},  // and k matches it
        {"long \xc5\xbf"
         "ong",
         "long song"},                                   // the long s folds to s
        {"bad \xff\xfe bytes before a Match", "match"},  // invalid UTF-8 around a match
        {"\xc3", "\xc3"},                                // a sequence cut by the end
        {"x\xe2\x84", "\xe2\x84"},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "aab"},
        {"abc", "abcd"},
        {"ΣΊΣΥΦΟΣ", "σίσυφος"},
    };
    for (const auto& [stream, text] : cases) {
        for (const bool caseSensitive : {false, true}) {
            EXPECT_TRUE(everySplitAgrees(stream, text, caseSensitive))
                << stream << " / " << text << " case-sensitive " << caseSensitive;
        }
    }
}

TEST(ContentsSearch, CaseSensitiveComparesBytesAndCaseBlindFoldsThem) {
    ContentsSearch exact("Brown", true);
    ContentsSearch blind("Brown", false);
    const std::string stream = "the quick BROWN fox";
    EXPECT_FALSE(fedInPieces(exact, stream, {}));
    EXPECT_TRUE(fedInPieces(blind, stream, {}));
    EXPECT_TRUE(fedInPieces(exact, "a Brown one", {}));
}

TEST(ContentsSearch, AgreesWithTheReferenceOnRandomStreams) {
    // Few letters and some bytes above 0x7F, so that matches, near misses and
    // pieces that are not ASCII are all common.
    const std::vector<std::string> alphabet = {
        "a",    "A",    "b", "B",       "k", "K", " ", "\xc3\xa4", "\xc3\x84", "\xe2\x84\xaa",
        "\xff", "\xc3", "s", "\xc5\xbf"};
    std::mt19937 random(21);
    const auto make = [&](std::size_t letters) {
        std::string text;
        for (std::size_t i = 0; i < letters; ++i) {
            text += alphabet[random() % alphabet.size()];
        }
        return text;
    };
    for (int round = 0; round < 3000; ++round) {
        const std::string stream = make(random() % 200);
        const std::string text = make(1 + random() % 4);
        std::vector<std::size_t> cuts;
        for (std::size_t at = 1 + random() % 7; at < stream.size(); at += 1 + random() % 9) {
            cuts.push_back(at);
        }
        for (const bool caseSensitive : {false, true}) {
            ContentsSearch search(text, caseSensitive);
            ASSERT_EQ(fedInPieces(search, stream, cuts), reference(stream, text, caseSensitive))
                << "round " << round << " case-sensitive " << caseSensitive;
        }
    }
}

TEST(ContentsSearch, AsciiTextInTextThatIsNotAsciiAcrossLargePieces) {
    // Case-blind, a text that folds to ASCII is looked for in the bytes as
    // they stand, whatever else a piece holds; only a Kelvin sign or a long s
    // (which fold to k and s) sends a piece to be folded. Pieces of 4 KiB of
    // text that is mostly not ASCII, with the match, a near miss parted by a
    // letter outside ASCII, or a sign cut by a piece's end.
    std::string filler;
    while (filler.size() < 10000) {
        filler +=
            "\xc3\x84rger \xc3\xbc"
            "ber \xc3\x96l, \xce\xa3\xce\x8a\xce\xa3\xce\xa5\xce\xa6 ";
    }
    const auto around = [&](std::size_t at, std::string_view middle) {
        std::string stream = filler.substr(0, at);
        stream += middle;
        stream += filler;
        return stream;
    };
    struct Case {
        std::string stream;
        std::string text;
        bool expected;
    };
    const std::vector<Case> cases = {
        {around(4093, "MuTeX"), "mutex", true},           // across the first cut
        {around(4093, "mu\xc3\xa4tex"), "mutex", false},  // parted by ä
        {around(4095,
                "\xe2\x84\xaa"
                "ernel"),
         "KERNEL", true},  // a Kelvin sign cut at 4096
        {around(4094,
                "\xe2\x84\xaa"
                "ernel"),
         "kernel", true},
        {around(4095,
                "\xc5\xbf"
                "tack"),
         "stack", true},  // a long s cut at 4096
        {around(4095,
                "\xc5\xbf"
                "tack"),
         "tack", true},
        {around(4095,
                "\xc5\xbf"
                "tack"),
         "mutex", false},
        {around(8190, "lin\xc3\xa4"), "LIN\xc3\x84", true},  // a text that is not ASCII
        {around(4093, "mu\xc3tex"), "mutex", false},         // a lead byte alone, cut at 4096
        {around(4092, "KERNEL\xc5\xbf"), "kernels", true},   // the seam, then a piece folded
    };
    for (const Case& c : cases) {
        ASSERT_EQ(reference(c.stream, c.text, false), c.expected) << c.text;
        std::vector<std::size_t> cuts;
        for (std::size_t at = 4096; at < c.stream.size(); at += 4096) {
            cuts.push_back(at);
        }
        ContentsSearch search(c.text, false);
        EXPECT_EQ(fedInPieces(search, c.stream, cuts), c.expected) << c.text;
        // The same stream in pieces of one to three bytes, then in one piece.
        std::vector<std::size_t> small;
        for (std::size_t at = 1; at < c.stream.size(); at += 1 + at % 3) {
            small.push_back(at);
        }
        EXPECT_EQ(fedInPieces(search, c.stream, small), c.expected) << c.text;
        EXPECT_EQ(fedInPieces(search, c.stream, {}), c.expected) << c.text;
    }
}

TEST(ContentsSearch, AKelvinSignOrLongSIsSeenAtEveryPlaceOfAPiece) {
    // Sixteen places are looked at once for the signs that fold to k and s;
    // a sign at each of them, and bytes that are almost one, which are not.
    ContentsSearch kernel("kernels", false);
    for (std::size_t offset = 0; offset < 40; ++offset) {
        const std::string before(offset, 'x');
        const std::string after(24, 'y');
        const std::string kelvin = before +
                                   "\xe2\x84\xaa"
                                   "ERNEL\xc5\xbf" +
                                   after;
        EXPECT_TRUE(fedInPieces(kernel, kelvin, {})) << offset;
        const std::string near = before +
                                 "\xe3\x84\xaa"
                                 "ernel\xc4\xbf" +
                                 after;
        EXPECT_FALSE(fedInPieces(kernel, near, {})) << offset;
        EXPECT_FALSE(reference(near, "kernels", false)) << offset;
    }
}

TEST(LiteralFinder, FindsTextAtEveryPlaceOfABlock) {
    // Sixteen places are tried at once: a text at each offset, up to and at
    // the very end, with and without A-Z as a-z.
    for (const std::string text : {"q", "qz", "needle", "a longer needle of text"}) {
        for (std::size_t at = 0; at < 70; ++at) {
            std::string block(at, 'x');
            block += text;
            block += std::string(at % 5, 'y');
            EXPECT_TRUE(LiteralFinder(text, false).foundIn(block)) << text << " at " << at;
            std::string upper = block;
            for (char& c : upper) {
                c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
            }
            EXPECT_TRUE(LiteralFinder(text, true).foundIn(upper)) << text << " at " << at;
            EXPECT_FALSE(LiteralFinder(text, false).foundIn(upper)) << text << " at " << at;
            block.pop_back();
            if (at % 5 == 0) {
                EXPECT_FALSE(LiteralFinder(text, false).foundIn(block)) << text << " cut " << at;
            }
        }
    }
}

TEST(NameFold, FoldingTakesAtMostTheBytesItReserves) {
    // foldedCapacity must hold for every letter, or folding a piece would
    // write past its buffer.
    for (std::uint32_t cp = 0x80; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            continue;
        }
        const std::string letter = test::utf8Encode(cp, test::shortestUtf8Length(cp));
        std::string folded;
        foldCaseAppend(letter, folded);
        ASSERT_LE(folded.size() * 2, letter.size() * 3) << std::hex << cp;
    }
}

TEST(NameFold, FoldingInPiecesCutAfterWholeLettersGivesTheWhole) {
    const std::string text = "Ä\xe2\x84\xaa\xff\xc3x\xf0\x9f\x98\x80Z\xe2\x84";
    std::string whole;
    foldCase(text, whole);
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        std::string_view first = std::string_view(text).substr(0, cut);
        const std::size_t held = utf8CutAtEnd(first);
        first.remove_suffix(held);
        std::string pieces;
        foldCaseAppend(first, pieces);
        foldCaseAppend(std::string_view(text).substr(first.size()), pieces);
        EXPECT_EQ(pieces, whole) << "cut at " << cut;
    }
}

}  // namespace
}  // namespace zandor
