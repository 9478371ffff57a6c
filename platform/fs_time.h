// Time text: local time as "%m/%d/%y %H:%M:%S" (12/06/26 07:09:46).
#pragma once

#include <cstdint>
#include <string>

namespace zandor {

// Appends the text of secs (seconds since 1970) to out. A time that the C
// library cannot convert appends nothing.
void appendTimeText(std::string& out, std::int64_t secs);

inline std::string timeText(std::int64_t secs) {
    std::string text;
    appendTimeText(text, secs);
    return text;
}

}  // namespace zandor
