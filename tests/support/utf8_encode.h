// Code points made into UTF-8 bytes by hand, so that tests can also build
// the overlong and out-of-range forms that a correct encoder never writes.
#pragma once

#include <cstdint>
#include <string>

namespace zandor::test {

// The fewest bytes UTF-8 writes the code point in.
inline int shortestUtf8Length(std::uint32_t cp) {
    return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
}

// The UTF-8 form of a code point in `length` bytes (more than needed gives an
// overlong form). Surrogates and values above U+10FFFF are encoded as asked.
inline std::string utf8Encode(std::uint32_t cp, int length) {
    std::string out;
    switch (length) {
        case 1:
            out.push_back(static_cast<char>(cp));
            break;
        case 2:
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
            break;
        case 3:
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
            break;
        default:
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
            break;
    }
    return out;
}

inline std::string utf8Encode(std::uint32_t cp) {
    return utf8Encode(cp, shortestUtf8Length(cp));
}

}  // namespace zandor::test
