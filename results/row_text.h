// One found row as a line of text, the same wherever rows are written: the
// tab-separated line of zandor-find and of the pane's saved lists, and the
// CSV line the pane saves for spreadsheets.
#pragma once

#include <string>

#include "search/sinks.h"

namespace zandor {

// Name, path, size text, type, created and modified time texts, tab
// separated, the name and path escaped (results/text_escape.h), then "\n".
// An undescribed entry has empty size and times; a folder an empty size.
void appendTsvRow(std::string& out, const FoundEntry& entry);

// The same six fields as a CSV record (RFC 4180), ended by CRLF: a field
// holding "," '"' CR or LF is quoted and its quotes doubled.
void appendCsvRow(std::string& out, const FoundEntry& entry);

// "Name,Path,Size,Type,Created,Modified" and CRLF.
void appendCsvHeader(std::string& out);

}  // namespace zandor
