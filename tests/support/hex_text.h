// Hex digits read back, as percent-encoding, JSON's \u escapes and
// zandor-find's \xHH escapes and _hex fields write them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zandor::test {

// The bytes as lower-case hex, two digits a byte, so that a failure message
// shows bytes that are not UTF-8 readably.
inline std::string hexOf(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0x0F]);
    }
    return text;
}

// 0 to 15 for 0-9, a-f and A-F; -1 for any other character.
inline int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The bytes that lower-case hex digits stand for, two a byte; nothing for an
// odd count or any other character (zandor-find writes lower case only).
inline std::optional<std::string> bytesFromLowerHex(std::string_view hex) {
    if (hex.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = hexDigitValue(hex[i]);
        const int low = hexDigitValue(hex[i + 1]);
        if (high < 0 || low < 0 || (hex[i] >= 'A' && hex[i] <= 'F') ||
            (hex[i + 1] >= 'A' && hex[i + 1] <= 'F')) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return bytes;
}

}  // namespace zandor::test
