// FUZZ_CHECK: a property every fuzz input must keep. A broken one prints what
// was expected and aborts, so libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "hex_text.h"

namespace zandor::fuzz {

[[noreturn]] inline void propertyBroken(const char* file, int line, const char* condition,
                                        const std::string& detail) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n%s\n", file, line, condition, detail.c_str());
    std::abort();
}

// Failure messages show the input's bytes as hex, readable whatever it held.
using test::hexOf;

}  // namespace zandor::fuzz

#define FUZZ_CHECK(condition, detail)                                                 \
    do {                                                                              \
        if (!(condition)) {                                                           \
            ::zandor::fuzz::propertyBroken(__FILE__, __LINE__, #condition, (detail)); \
        }                                                                             \
    } while (false)
