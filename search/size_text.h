// The size text of a row: "0 KB" for 0 bytes, else bytes / 1024 + 1 and " KB".
#pragma once

#include <charconv>
#include <cstdint>
#include <string>

#include "search/match.h"

namespace zandor {

inline void appendSizeText(std::string& out, std::uint64_t bytes) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, sizeInKB(bytes)).ptr;
    out.append(digits, end);
    out.append(" KB");
}

inline std::string sizeText(std::uint64_t bytes) {
    std::string text;
    appendSizeText(text, bytes);
    return text;
}

}  // namespace zandor
