// A small reader of the json rows zandor-find writes: one flat object a
// line, values strings, whole numbers or null. Strings come back decoded,
// numbers as their digits (null as "null"); anything else in the line is not a row. Read with the
// strict reader of json_checker.h.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zandor::test {

struct JsonRow {
    std::map<std::string, std::string> strings;
    std::map<std::string, std::string> numbers;
};

// The row one line holds, or nothing when the line is not such an object.
std::optional<JsonRow> readJsonRow(std::string_view line);

}  // namespace zandor::test
