// A reader of CSV as RFC 4180 writes it, for tests of the pane's saved lists:
// records end in CRLF, a quoted field may hold commas, quotes (doubled) and
// line breaks. Written apart from the writer it checks.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zandor::test {

using CsvRecord = std::vector<std::string>;

// The records of text, their fields as exact bytes; nothing when the text
// breaks the format (a quote inside a bare field, a quote not closed, a
// record not ended by CRLF, a bare CR or LF).
std::optional<std::vector<CsvRecord>> readCsv(std::string_view text);

}  // namespace zandor::test
