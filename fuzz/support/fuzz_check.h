// FUZZ_CHECK: a property every fuzz input must keep. A broken one prints what
// was expected and aborts, so libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace zandor::fuzz {

[[noreturn]] inline void PropertyBroken(const char* file, int line, const char* condition,
                                        const std::string& detail) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n%s\n", file, line, condition, detail.c_str());
    std::abort();
}

// Bytes as lower-case hex, so that failure messages stay readable whatever
// the input held.
inline std::string Hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out.push_back(kDigits[byte >> 4]);
        out.push_back(kDigits[byte & 0x0F]);
    }
    return out;
}

}  // namespace zandor::fuzz

#define FUZZ_CHECK(condition, detail)                                                 \
    do {                                                                              \
        if (!(condition)) {                                                           \
            ::zandor::fuzz::PropertyBroken(__FILE__, __LINE__, #condition, (detail)); \
        }                                                                             \
    } while (false)
