// Whole-file reading and writing on descriptors: what the mount table, the
// terminal output and the benchmark's markers need, with the reason when it
// fails.
#pragma once

#include <string>
#include <string_view>

#include "platform/result.h"

namespace zandor {

// Writes all of text to fd, going on after interruptions and short writes.
Result<void> writeAll(int fd, std::string_view text);

// The whole content of the file at path, read to its end (so also the
// kernel's files under /proc, whose size reads as 0).
Result<std::string> readFileText(const std::string& path);

}  // namespace zandor
