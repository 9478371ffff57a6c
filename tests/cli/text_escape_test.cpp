// Tests of the UTF-8 checks and of the tsv and json escaping that zandor-find
// writes names and paths with.
#include "cli/text_escape.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hex_text.h"
#include "utf8_encode.h"

namespace zandor {
namespace {

using namespace std::string_view_literals;

// Shows bytes as hex in failure messages, so that invalid UTF-8 stays readable.
std::string hex(std::string_view bytes) {
    std::string text;
    appendHex(text, bytes);
    return text;
}

using test::shortestUtf8Length;
using test::utf8Encode;

struct SequenceCase {
    std::string_view text;
    std::size_t pos;
    std::size_t length;  // expected; 0 for no valid sequence at pos
};

TEST(TextEscapeUtf8, SequenceLengthOfChosenBytes) {
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
        EXPECT_EQ(utf8SequenceLength(c.text, c.pos), c.length)
            << "bytes " << hex(c.text) << " at " << c.pos;
    }
}

// Every code point, in its shortest form and in every longer (overlong) form,
// and every four-byte form above U+10FFFF.
TEST(TextEscapeUtf8, SequenceLengthOfEveryCodePoint) {
    int failures = 0;
    for (std::uint32_t cp = 0; cp <= 0x10FFFF && failures < 10; ++cp) {
        const int shortest = shortestUtf8Length(cp);
        const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
        const std::string text = utf8Encode(cp, shortest);
        const std::size_t expected = surrogate ? 0 : static_cast<std::size_t>(shortest);
        if (utf8SequenceLength(text, 0) != expected || isValidUtf8(text) == surrogate) {
            ADD_FAILURE() << "U+" << std::hex << cp << " as " << hex(text);
            ++failures;
        }
        for (int longer = shortest + 1; longer <= 4; ++longer) {
            const std::string overlong = utf8Encode(cp, longer);
            if (utf8SequenceLength(overlong, 0) != 0 || isValidUtf8(overlong)) {
                ADD_FAILURE() << "overlong U+" << std::hex << cp << " as " << hex(overlong);
                ++failures;
            }
        }
    }
    for (std::uint32_t cp = 0x110000; cp <= 0x1FFFFF && failures < 10; ++cp) {
        const std::string text = utf8Encode(cp, 4);
        if (utf8SequenceLength(text, 0) != 0 || isValidUtf8(text)) {
            ADD_FAILURE() << "U+" << std::hex << cp << " as " << hex(text);
            ++failures;
        }
    }
}

TEST(TextEscapeUtf8, IsValidUtf8OnWholeTexts) {
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
        EXPECT_EQ(isValidUtf8(c.text), c.valid) << "bytes " << hex(c.text);
    }
}

struct EscapeCase {
    std::string_view in;
    std::string_view out;
};

TEST(TextEscapeTsv, EscapesSeparatorsBackslashAndInvalidBytes) {
    const EscapeCase cases[] = {
        {""sv, ""sv},
        {"plain name.txt"sv, "plain name.txt"sv},
        {"a\\b"sv, "a\\\\b"sv},
        {"a\tb"sv, "a\\tb"sv},
        {"a\nb"sv, "a\\nb"sv},
        {"a\rb"sv, "a\\rb"sv},
        {"\r\n\t\\"sv, "\\r\\n\\t\\\\"sv},
        // a name that already looks like an escape stays distinguishable
        {"\\x41\\n"sv, "\\\\x41\\\\n"sv},
        // bytes that are not UTF-8, in lower-case hex
        {"\xff"sv, "\\xff"sv},
        {"bad\xab"
         "end"sv,
         "bad\\xabend"sv},
        {"\xc3"
         "a"sv,
         "\\xc3a"sv},
        {"\xc0\x80"sv, "\\xc0\\x80"sv},
        {"\xe0\x80\x80"sv, "\\xe0\\x80\\x80"sv},
        {"\xed\xa0\x80"sv, "\\xed\\xa0\\x80"sv},
        {"\xf4\x90\x80\x80"sv, "\\xf4\\x90\\x80\\x80"sv},
        {"cut \xf0\x9f\x98"sv, "cut \\xf0\\x9f\\x98"sv},
        // valid UTF-8 and other bytes pass unchanged
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"sv,
         "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"sv},
        {"\xc3\xa9\xff\xc3\xa9"sv, "\xc3\xa9\\xff\xc3\xa9"sv},
        {"bell\x07 del\x7f"sv, "bell\x07 del\x7f"sv},
        {"\"quoted\""sv, "\"quoted\""sv},
    };
    for (const auto& c : cases) {
        std::string out = "kept|";
        appendTsvEscaped(out, c.in);
        EXPECT_EQ(out, "kept|" + std::string(c.out)) << "bytes " << hex(c.in);
    }
}

// Reverses the tsv escaping; false when the text holds an escape it never makes.
bool tsvUnescape(std::string_view text, std::string& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out.push_back(text[i]);
            continue;
        }
        if (++i == text.size()) {
            return false;
        }
        switch (text[i]) {
            case '\\':
                out.push_back('\\');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 'x': {
                const auto byte = i + 2 < text.size()
                                      ? test::bytesFromLowerHex(text.substr(i + 1, 2))
                                      : std::nullopt;
                if (!byte) {
                    return false;
                }
                out.append(*byte);
                i += 2;
                break;
            }
            default:
                return false;
        }
    }
    return true;
}

// Every text of one and two bytes: the escaped form is one valid UTF-8 field
// (no tab, line feed or carriage return) and gives back the original bytes.
TEST(TextEscapeTsv, EveryShortTextIsOneFieldAndRoundTrips) {
    int failures = 0;
    std::vector<std::string> texts;
    for (int a = 0; a < 256; ++a) {
        texts.emplace_back(1, static_cast<char>(a));
        for (int b = 0; b < 256; ++b) {
            texts.push_back({static_cast<char>(a), static_cast<char>(b)});
        }
    }
    for (const auto& text : texts) {
        std::string escaped;
        appendTsvEscaped(escaped, text);
        std::string back;
        const bool oneField = escaped.find_first_of("\t\n\r") == std::string::npos;
        if (!oneField || !isValidUtf8(escaped) || !tsvUnescape(escaped, back) || back != text) {
            ADD_FAILURE() << "bytes " << hex(text) << " escaped as " << hex(escaped);
            if (++failures == 10) {
                break;
            }
        }
    }
}

TEST(TextEscapeJson, EscapesQuotesBackslashControlsAndInvalidBytes) {
    const EscapeCase cases[] = {
        {""sv, ""sv},
        {"plain name.txt"sv, "plain name.txt"sv},
        {"say \"hi\""sv, "say \\\"hi\\\""sv},
        {"a\\b"sv, "a\\\\b"sv},
        {"a/b"sv, "a/b"sv},
        {"a\nb"sv, "a\\nb"sv},
        {"a\rb"sv, "a\\rb"sv},
        {"a\tb"sv, "a\\tb"sv},
        {"\0"sv, "\\u0000"sv},
        {"\x01"sv, "\\u0001"sv},
        {"\x08"sv, "\\u0008"sv},
        {"\x0c"sv, "\\u000c"sv},
        {"\x1b[0m"sv, "\\u001b[0m"sv},
        {"\x1f"sv, "\\u001f"sv},
        {"\x7f"sv, "\x7f"sv},
        // a byte that is not UTF-8 becomes U+FFFD, one for each byte
        {"\xff"sv, "\xef\xbf\xbd"sv},
        {"bad\xff"
         "name"sv,
         "bad\xef\xbf\xbdname"sv},
        {"\xc0\x80"sv, "\xef\xbf\xbd\xef\xbf\xbd"sv},
        {"\xed\xa0\x80"sv, "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"sv},
        {"\xc3\""sv, "\xef\xbf\xbd\\\""sv},
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"sv,
         "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"sv},
    };
    for (const auto& c : cases) {
        std::string out = "kept|";
        appendJsonEscaped(out, c.in);
        EXPECT_EQ(out, "kept|" + std::string(c.out)) << "bytes " << hex(c.in);
    }
}

// Every text of one and two bytes becomes valid UTF-8 without a raw control
// character or an unescaped quote, so it can stand inside a JSON string.
TEST(TextEscapeJson, EveryShortTextIsAValidStringBody) {
    int failures = 0;
    for (int a = 0; a < 256 && failures < 10; ++a) {
        for (int b = -1; b < 256 && failures < 10; ++b) {
            std::string text(1, static_cast<char>(a));
            if (b >= 0) {
                text.push_back(static_cast<char>(b));
            }
            std::string escaped;
            appendJsonEscaped(escaped, text);
            bool ok = isValidUtf8(escaped);
            for (std::size_t i = 0; ok && i < escaped.size(); ++i) {
                const auto c = static_cast<unsigned char>(escaped[i]);
                if (c == '\\') {
                    // an escape: one of the letters JSON knows, or u and four hex digits
                    const std::size_t rest = escaped.size() - i - 1;
                    const char next = rest > 0 ? escaped[i + 1] : '\0';
                    if (next == 'u') {
                        ok = rest >= 5 &&
                             escaped.find_first_not_of("0123456789abcdefABCDEF", i + 2) >= i + 6;
                        i += 5;
                    } else {
                        ok = next != '\0' &&
                             std::string_view("\"\\/bfnrt").find(next) != std::string_view::npos;
                        i += 1;
                    }
                } else if (c < 0x20 || c == '"') {
                    ok = false;
                }
            }
            if (!ok) {
                ADD_FAILURE() << "bytes " << hex(text) << " escaped as " << hex(escaped);
                ++failures;
            }
        }
    }
}

TEST(TextEscapeHex, TwoLowerCaseDigitsPerByte) {
    const EscapeCase cases[] = {
        {""sv, ""sv},
        {"\0"sv, "00"sv},
        {"A"sv, "41"sv},
        {"\xff\x10\xab"sv, "ff10ab"sv},
        {"bad\xff"sv, "626164ff"sv},
    };
    for (const auto& c : cases) {
        std::string out = "kept|";
        appendHex(out, c.in);
        EXPECT_EQ(out, "kept|" + std::string(c.out));
    }
}

}  // namespace
}  // namespace zandor
