// Reads back the escapes of zandor-find's tab-separated rows (\\ \t \n \r and
// \xHH), so that tests and fuzz targets can check that a field decodes to the
// exact bytes it was made from. Written apart from the escaping it checks.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zandor::test {

// The bytes a field stands for, or nothing when it holds a "\" that starts
// no known escape.
std::optional<std::string> decodeTsvField(std::string_view field);

// The fields of one line, split at every tab.
std::vector<std::string_view> splitTsvLine(std::string_view line);

}  // namespace zandor::test
