#include "platform/utf8.h"

namespace zandor {

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0U) == 0x80U;
}

}  // namespace

std::size_t utf8SequenceAt(std::string_view text, std::size_t pos, char32_t* character) {
    if (pos >= text.size()) {
        return 0;
    }
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const std::size_t left = text.size() - pos;
    const unsigned char lead = at(0);
    if (lead < 0x80) {
        if (character != nullptr) {
            *character = lead;
        }
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range allowed for the second byte
    unsigned char high = 0xBF;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1FU;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
        value = lead & 0x0FU;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
        value = lead & 0x07U;
    } else {
        return 0;
    }
    if (left < length || at(1) < low || at(1) > high) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(at(i))) {
            return 0;
        }
        value = (value << 6U) | (at(i) & 0x3FU);
    }
    if (character != nullptr) {
        *character = value;
    }
    return length;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = utf8SequenceAt(text, pos);
        if (length == 0) {
            return false;
        }
        pos += length;
    }
    return true;
}

bool cutsUtf8Sequence(std::string_view text, std::size_t pos) {
    if (pos == 0 || pos >= text.size() || !isContinuation(static_cast<unsigned char>(text[pos]))) {
        return false;
    }
    // A lead byte always starts a letter of its own, so the nearest one within
    // three bytes back is the only sequence that can hold pos.
    for (std::size_t back = 1; back <= 3 && back <= pos; ++back) {
        const auto byte = static_cast<unsigned char>(text[pos - back]);
        if (!isContinuation(byte)) {
            return utf8SequenceAt(text, pos - back) > back;
        }
    }
    return false;
}

std::size_t encodeUtf8(char32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

void appendUtf8(char32_t c, std::string& out) {
    char bytes[4];
    out.append(bytes, encodeUtf8(c, bytes));
}

}  // namespace zandor
