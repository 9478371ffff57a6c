// Escaping of raw names and paths for the text formats of zandor-find and of
// the pane's saved lists, so that any name, a line feed or bytes that are not
// UTF-8 included, is written without loss and without breaking the format.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zandor {

// Tab-separated text: "\" "\t" "\n" "\r" as \\ \t \n \r; a byte that is not
// part of valid UTF-8 as \xHH (lower-case hex). Everything else unchanged.
void appendTsvEscaped(std::string& out, std::string_view text);

// The contents of a JSON string (without the quotes). A byte that is not part
// of valid UTF-8 becomes U+FFFD; the caller adds the raw bytes in hex beside.
void appendJsonEscaped(std::string& out, std::string_view text);

// Two lower-case hex digits a byte.
void appendHex(std::string& out, std::string_view bytes);

}  // namespace zandor
