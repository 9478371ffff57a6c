// Whole-file reading and writing: what the mount table, the terminal output,
// the benchmark's markers and the saved result lists need, with the reason
// when it fails.
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

// Makes bytes the whole content of the file at path, all or nothing: they are
// written to a new file beside it, flushed to the disk, and that file is then
// renamed over path, taking the replaced file's permission bits (a new file
// gets those the umask leaves of 0666). On any failure the new file is
// removed and what was at path is left as it was.
Result<void> saveTextReplacing(const std::string& path, const std::string& bytes);

}  // namespace zandor
