// Letter case in names: simple Unicode case folding of valid UTF-8, the ASCII
// letters alone for names that are not UTF-8, and the name and extension
// tests that compare the folded texts.
#include "search/name_fold.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/match.h"

namespace zandor {
namespace {

std::string folded(std::string_view name) {
    std::string out = "left over from an earlier name";
    foldCase(name, out);
    return out;
}

NamePattern compile(const char* text) {
    NamePattern pattern;
    splitNamePattern(text, pattern);
    return matchingPattern(pattern);
}

// The names of candidates that the name and extension tests admit as files,
// folded as the walk folds them.
std::vector<std::string> filesFound(const char* pattern, const std::vector<std::string>& names) {
    const NamePattern prepared = compile(pattern);
    std::vector<std::string> found;
    std::string compared;
    for (const std::string& name : names) {
        foldCase(name, compared);
        if (fileNameMatches(prepared, compared) && fileExtensionMatches(prepared, compared)) {
            found.push_back(name);
        }
    }
    return found;
}

TEST(FoldCase, AsciiLettersOnlyLowerCase) {
    EXPECT_EQ(folded("Report-2026_FINAL.TXT"), "report-2026_final.txt");
    EXPECT_EQ(folded(""), "");
    EXPECT_EQ(folded("@[`{"), "@[`{");  // the neighbours of A-Z and a-z stay
}

TEST(FoldCase, AccentedAndOtherScriptsFoldToOneForm) {
    EXPECT_EQ(folded("\xc3\x84rger.txt"), "\xc3\xa4rger.txt");                  // Ärger
    EXPECT_EQ(folded("\xc3\x89T\xc3\x89"), "\xc3\xa9t\xc3\xa9");                // ÉTÉ
    EXPECT_EQ(folded("\xce\xa3\xce\x9f\xce\xa6\xce\x99\xce\x91"),               // ΣΟΦΙΑ
              "\xcf\x83\xce\xbf\xcf\x86\xce\xb9\xce\xb1");                      // σοφια
    EXPECT_EQ(folded("\xd0\x9c\xd0\x98\xd0\xa0"), "\xd0\xbc\xd0\xb8\xd1\x80");  // МИР
}

TEST(FoldCase, ALetterMayFoldToAnotherLength) {
    EXPECT_EQ(folded("\xe2\x84\xaa"), "k");                     // KELVIN SIGN, three bytes, to k
    EXPECT_EQ(folded("\xc5\xbf"), "s");                         // LATIN SMALL LETTER LONG S to s
    EXPECT_EQ(folded("\xe1\xba\x9e"), "\xc3\x9f");              // CAPITAL SHARP S to ß, one letter
    EXPECT_EQ(folded("\xf0\x90\x90\x80"), "\xf0\x90\x90\xa8");  // DESERET CAPITAL LONG I
}

// Simple folding is the same in every language: I folds to i, and the two
// Turkish letters have no simple fold, so each finds only itself.
TEST(FoldCase, TurkishDottedAndDotlessIKeepTheirOwnForms) {
    EXPECT_EQ(folded("I"), "i");
    EXPECT_EQ(folded("\xc4\xb0"), "\xc4\xb0");  // İ
    EXPECT_EQ(folded("\xc4\xb1"), "\xc4\xb1");  // ı
    const std::vector<std::string> names = {"istanbul.txt", "Istanbul.txt", "\xc4\xb0stanbul.txt",
                                            "\xc4\xb1stanbul.txt"};
    EXPECT_EQ(filesFound("istanbul", names),
              (std::vector<std::string>{"istanbul.txt", "Istanbul.txt"}));
    EXPECT_EQ(filesFound("\xc4\xb0STANBUL", names),
              (std::vector<std::string>{"\xc4\xb0stanbul.txt"}));
    EXPECT_EQ(filesFound("\xc4\xb1stanbul", names),
              (std::vector<std::string>{"\xc4\xb1stanbul.txt"}));
}

TEST(FoldCase, ANameThatIsNotUtf8KeepsItsBadBytesAndFoldsItsLetters) {
    EXPECT_EQ(folded("R\xe9SUM\xc9.TXT"), "r\xe9sum\xc9.txt");  // Latin-1 bytes kept
    // Letter by letter: a valid letter next to a bad byte folds, the bad byte
    // stays, so a name typed as its own pattern always finds itself.
    EXPECT_EQ(folded("\xc3\x84rger\xff"), "\xc3\xa4rger\xff");
    EXPECT_EQ(folded("cut\xc3"), "cut\xc3");
    EXPECT_EQ(folded("\xc3\x84.\xff"), "\xc3\xa4.\xff");
}

TEST(NameTestsFold, AccentedNamesAreFoundInAnyCase) {
    const std::vector<std::string> names = {"\xc3\x84rger.txt", "\xc3\xa4rger.TXT", "Arger.txt",
                                            "\xc3\xa9t\xc3\xa9.txt", "ETE.txt"};
    EXPECT_EQ(filesFound("\xc3\xa4rger", names),  // ärger
              (std::vector<std::string>{"\xc3\x84rger.txt", "\xc3\xa4rger.TXT"}));
    EXPECT_EQ(filesFound("\xc3\x89T\xc3\x89", names),  // ÉTÉ
              (std::vector<std::string>{"\xc3\xa9t\xc3\xa9.txt"}));
    EXPECT_EQ(filesFound("*.T\xc3\x8fT", {"a.t\xc3\xaft", "b.TXT"}),  // extension TÏT
              (std::vector<std::string>{"a.t\xc3\xaft"}));
}

// "*" cuts the pattern between whole letters, and "?" is no wildcard: it
// stands for itself, in the window and in zandor-find alike.
TEST(NameTestsFold, WildcardsWorkOnWholeLetters) {
    const std::vector<std::string> names = {"\xc3\x84pfel.txt", "\xc3\xa4rger.txt", "Apfel.txt",
                                            "?pfel.txt"};
    EXPECT_EQ(filesFound("\xc3\x84*", names),
              (std::vector<std::string>{"\xc3\x84pfel.txt", "\xc3\xa4rger.txt"}));
    EXPECT_EQ(filesFound("?pfel", names), (std::vector<std::string>{"?pfel.txt"}));
    EXPECT_EQ(filesFound("*.T*", names), names);
}

TEST(NameTestsFold, BytesOfANameThatIsNotUtf8CompareUnchanged) {
    const std::vector<std::string> names = {"bad\xff.txt", "BAD\xff.TXT", "bad\xfe.txt"};
    EXPECT_EQ(filesFound("bad\xff", names),
              (std::vector<std::string>{"bad\xff.txt", "BAD\xff.TXT"}));
    // An invalid byte never equals a letter: Ä in the pattern does not find
    // the Latin-1 byte for it.
    EXPECT_EQ(filesFound("\xc3\x84", {"\xc4.txt", "\xc3\xa4.txt"}),
              (std::vector<std::string>{"\xc3\xa4.txt"}));
}

}  // namespace
}  // namespace zandor
