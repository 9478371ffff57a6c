// A plain PDF for tests, written here byte by byte: one line of text a
// page in Helvetica, uncompressed, with an exact cross-reference table. Long
// ones (thousands of pages) are made in moments.
#pragma once

#include <string>
#include <vector>

namespace zandor::test {

// The PDF's bytes; each text holds printable ASCII without parentheses or
// backslashes.
std::string plainPdf(const std::vector<std::string>& pages);

}  // namespace zandor::test
