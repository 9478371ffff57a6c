#include "results/text_escape.h"

#include <array>

#include "platform/utf8.h"

namespace zandor {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void appendByteHex(std::string& out, unsigned char byte) {
    out.push_back(kHexDigits[byte >> 4]);
    out.push_back(kHexDigits[byte & 0x0F]);
}

}  // namespace

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
        const std::size_t length = utf8SequenceAt(text, pos);
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
            const std::size_t length = utf8SequenceAt(text, pos);
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
