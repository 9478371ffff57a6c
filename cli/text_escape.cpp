#include "cli/text_escape.h"

#include <array>

namespace zandor {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

void appendByteHex(std::string& out, unsigned char byte) {
    out.push_back(kHexDigits[byte >> 4]);
    out.push_back(kHexDigits[byte & 0x0F]);
}

}  // namespace

std::size_t utf8SequenceLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return 0;
    }
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const std::size_t left = text.size() - pos;
    const unsigned char lead = at(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range allowed for the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (left < length || at(1) < low || at(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!isContinuation(at(i))) {
            return 0;
        }
    }
    return length;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = utf8SequenceLength(text, pos);
        if (length == 0) {
            return false;
        }
        pos += length;
    }
    return true;
}

// Bytes that the tsv text cannot copy as they stand: the four escaped
// characters and every byte of a multi-byte sequence, which is checked.
constexpr auto kTsvAttention = [] {
    std::array<bool, 256> table{};
    for (std::size_t byte = 0x80; byte < 256; ++byte) {
        table[byte] = true;
    }
    table['\\'] = table['\t'] = table['\n'] = table['\r'] = true;
    return table;
}();

void appendTsvEscaped(std::string& out, std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        // Most names are plain ASCII: copy each plain run at once.
        const std::size_t runStart = pos;
        while (pos < text.size() && !kTsvAttention[static_cast<unsigned char>(text[pos])]) {
            ++pos;
        }
        out.append(text.data() + runStart, pos - runStart);
        if (pos == text.size()) {
            break;
        }
        const char c = text[pos];
        switch (c) {
            case '\\':
                out.append("\\\\");
                ++pos;
                continue;
            case '\t':
                out.append("\\t");
                ++pos;
                continue;
            case '\n':
                out.append("\\n");
                ++pos;
                continue;
            case '\r':
                out.append("\\r");
                ++pos;
                continue;
            default:
                break;
        }
        const std::size_t length = utf8SequenceLength(text, pos);
        if (length == 0) {
            out.append("\\x");
            appendByteHex(out, static_cast<unsigned char>(c));
            ++pos;
        } else {
            out.append(text.substr(pos, length));
            pos += length;
        }
    }
}

void appendJsonEscaped(std::string& out, std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
            ++pos;
        } else if (c < 0x20) {
            switch (c) {
                case '\n':
                    out.append("\\n");
                    break;
                case '\r':
                    out.append("\\r");
                    break;
                case '\t':
                    out.append("\\t");
                    break;
                default:
                    out.append("\\u00");
                    appendByteHex(out, c);
            }
            ++pos;
        } else {
            const std::size_t length = utf8SequenceLength(text, pos);
            if (length == 0) {
                out.append("\xEF\xBF\xBD");  // U+FFFD REPLACEMENT CHARACTER
                ++pos;
            } else {
                out.append(text.substr(pos, length));
                pos += length;
            }
        }
    }
}

void appendHex(std::string& out, std::string_view bytes) {
    for (const char c : bytes) {
        appendByteHex(out, static_cast<unsigned char>(c));
    }
}

}  // namespace zandor
