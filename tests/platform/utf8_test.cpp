// Where valid UTF-8 sequences start in raw names, and what they stand for.
#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ios>
#include <iterator>
#include <string>
#include <string_view>

#include "hex_text.h"
#include "utf8_encode.h"

namespace zandor {
namespace {

using namespace std::string_view_literals;
using test::hexOf;
using test::shortestUtf8Length;
using test::utf8Encode;

struct SequenceCase {
    std::string_view text;
    std::size_t pos;
    std::size_t length;  // expected; 0 for no valid sequence at pos
};

TEST(Utf8, SequenceLengthOfChosenBytes) {
    const SequenceCase cases[] = {
        // valid, at the edges of each length
        {"a"sv, 0, 1},
        {"\0"sv, 0, 1},
        {"\x7f"sv, 0, 1},
        {"\xc2\x80"sv, 0, 2},
        {"\xc3\xa9"sv, 0, 2},
        {"\xdf\xbf"sv, 0, 2},
        {"\xe0\xa0\x80"sv, 0, 3},
        {"\xe2\x82\xac"sv, 0, 3},
        {"\xed\x9f\xbf"sv, 0, 3},  // U+D7FF, just below the surrogates
        {"\xee\x80\x80"sv, 0, 3},  // U+E000, just above them
        {"\xef\xbf\xbf"sv, 0, 3},
        {"\xf0\x90\x80\x80"sv, 0, 4},
        {"\xf0\x9f\x98\x80"sv, 0, 4},
        {"\xf4\x8f\xbf\xbf"sv, 0, 4},  // U+10FFFF
        // overlong forms
        {"\xc0\x80"sv, 0, 0},
        {"\xc1\xbf"sv, 0, 0},
        {"\xe0\x80\x80"sv, 0, 0},
        {"\xe0\x9f\xbf"sv, 0, 0},
        {"\xf0\x80\x80\x80"sv, 0, 0},
        {"\xf0\x8f\xbf\xbf"sv, 0, 0},
        // surrogates
        {"\xed\xa0\x80"sv, 0, 0},
        {"\xed\xbf\xbf"sv, 0, 0},
        // above U+10FFFF, and bytes that never start a sequence
        {"\xf4\x90\x80\x80"sv, 0, 0},
        {"\xf5\x80\x80\x80"sv, 0, 0},
        {"\xf8\x88\x80\x80\x80"sv, 0, 0},
        {"\xfe"sv, 0, 0},
        {"\xff"sv, 0, 0},
        {"\x80"sv, 0, 0},
        {"\xbf"sv, 0, 0},
        // truncated, at the end of the text or cut by a byte that does not continue
        {"\xc3"sv, 0, 0},
        {"\xe2\x82"sv, 0, 0},
        {"\xf0\x9f\x98"sv, 0, 0},
        {"\xc3"
         "a"sv,
         0, 0},
        {"\xe2\x82"
         "a"sv,
         0, 0},
        {"\xe2\x82\xc3\xa9"sv, 0, 0},
        {"\xf0\x9f\x98"
         "a"sv,
         0, 0},
        {"\xf0\x9f"
         "aa"sv,
         0, 0},
        // cut by the end of the view although the bytes after it would continue
        {"\xc3\xa9"sv.substr(0, 1), 0, 0},
        {"\xe2\x82\xac"sv.substr(0, 2), 0, 0},
        {"\xf0\x9f\x98\x80"sv.substr(0, 3), 0, 0},
        {"a\xe2\x82\xac"sv.substr(0, 3), 1, 0},
        // positions inside a longer text
        {"a\xc3\xa9"sv, 1, 2},
        {"a\xc3\xa9"sv, 2, 0},
        {"ab\xe2\x82\xac"sv, 2, 3},
        {"ab\xe2\x82"sv, 2, 0},
        {"\xf0\x9f\x98\x80\xf0\x9f\x98\x80"sv, 4, 4},
        {"\xf0\x9f\x98\x80\xf0\x9f\x98"sv, 4, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8SequenceAt(c.text, c.pos), c.length)
            << "bytes " << hexOf(c.text) << " at " << c.pos;
    }
}

// Every code point, in its shortest form (which decodes to it) and in every
// longer (overlong) form, and every four-byte form above U+10FFFF.
TEST(Utf8, SequenceLengthOfEveryCodePoint) {
    int failures = 0;
    for (std::uint32_t cp = 0; cp <= 0x10FFFF && failures < 10; ++cp) {
        const int shortest = shortestUtf8Length(cp);
        const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
        const std::string text = utf8Encode(cp, shortest);
        const std::size_t expected = surrogate ? 0 : static_cast<std::size_t>(shortest);
        char32_t decoded = 0;
        if (utf8SequenceAt(text, 0, &decoded) != expected || isValidUtf8(text) == surrogate ||
            (!surrogate && decoded != cp)) {
            ADD_FAILURE() << "U+" << std::hex << cp << " as " << hexOf(text);
            ++failures;
        }
        for (int longer = shortest + 1; longer <= 4; ++longer) {
            const std::string overlong = utf8Encode(cp, longer);
            if (utf8SequenceAt(overlong, 0) != 0 || isValidUtf8(overlong)) {
                ADD_FAILURE() << "overlong U+" << std::hex << cp << " as " << hexOf(overlong);
                ++failures;
            }
        }
    }
    for (std::uint32_t cp = 0x110000; cp <= 0x1FFFFF && failures < 10; ++cp) {
        const std::string text = utf8Encode(cp, 4);
        if (utf8SequenceAt(text, 0) != 0 || isValidUtf8(text)) {
            ADD_FAILURE() << "U+" << std::hex << cp << " as " << hexOf(text);
            ++failures;
        }
    }
}

TEST(Utf8, IsValidUtf8OnWholeTexts) {
    const struct {
        std::string_view text;
        bool valid;
    } cases[] = {
        {""sv, true},
        {"plain.txt"sv, true},
        {"nul\0inside"sv, true},
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80 end"sv, true},
        {"\xf4\x8f\xbf\xbf"sv, true},
        {"bad\xff"
         "name"sv,
         false},
        {"ends cut \xe2\x82"sv, false},
        {"\xc0\x80"sv, false},
        {"x\xe0\x80\x80"sv, false},
        {"x\xed\xa0\x80y"sv, false},
        {"\xf4\x90\x80\x80"sv, false},
        {"lone \x80 continuation"sv, false},
        {"\xc3\xa9\xa9"sv, false},  // one continuation too many
        {"ok \xe2\x82\xac"sv.substr(0, 5), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isValidUtf8(c.text), c.valid) << "bytes " << hexOf(c.text);
    }
}

TEST(Utf8, CutsOnlyInsideValidSequences) {
    const std::string_view text = "a\xc3\xa9\x80\xe2\x82\xac\xe2\x82z\xf0\x9f\x98\x80"sv;
    // a | é(2) | stray 80 | €(3) | stray e2 | stray 82 | z | 😀(4)
    const bool inside[] = {false, false, true,  false, false, true, true,
                           false, false, false, false, true,  true, true};
    ASSERT_EQ(std::size(inside), text.size());
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        EXPECT_EQ(cutsUtf8Sequence(text, pos), inside[pos]) << "at " << pos;
    }
    EXPECT_FALSE(cutsUtf8Sequence(text, text.size()));
    EXPECT_FALSE(cutsUtf8Sequence("\x80\x80\x80\x80"sv, 2));
}

}  // namespace
}  // namespace zandor
