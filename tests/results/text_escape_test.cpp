// Tests of the tsv and json escaping that zandor-find writes names and paths
// with, and of its hex text.
#include "results/text_escape.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hex_text.h"
#include "platform/utf8.h"
#include "tsv_decode.h"

namespace zandor {
namespace {

using namespace std::string_view_literals;

using test::hexOf;

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
        EXPECT_EQ(out, "kept|" + std::string(c.out)) << "bytes " << hexOf(c.in);
    }
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
        const bool oneField = escaped.find_first_of("\t\n\r") == std::string::npos;
        if (!oneField || !isValidUtf8(escaped) || test::decodeTsvField(escaped) != text) {
            ADD_FAILURE() << "bytes " << hexOf(text) << " escaped as " << hexOf(escaped);
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
        EXPECT_EQ(out, "kept|" + std::string(c.out)) << "bytes " << hexOf(c.in);
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
                ADD_FAILURE() << "bytes " << hexOf(text) << " escaped as " << hexOf(escaped);
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
