#include "json_rows.h"

#include "json_checker.h"

namespace zandor::test {

std::optional<JsonRow> readJsonRow(std::string_view line) {
    const JsonParse parsed = parseJson(line);
    if (!parsed.value || parsed.value->kind != JsonValue::Kind::Object) {
        return std::nullopt;
    }
    const JsonValue& object = *parsed.value;
    JsonRow row;
    for (std::size_t i = 0; i < object.names.size(); ++i) {
        const JsonValue& value = object.items[i];
        if (value.kind == JsonValue::Kind::String) {
            row.strings[object.names[i]] = value.text;
        } else if (value.kind == JsonValue::Kind::Number &&
                   value.text.find_first_of(".eE") == std::string::npos) {
            row.numbers[object.names[i]] = value.text;
        } else if (value.kind == JsonValue::Kind::Null) {
            row.numbers[object.names[i]] = "null";  // a number that is not known
        } else {
            return std::nullopt;  // rows hold strings, whole numbers and null only
        }
    }
    return row;
}

}  // namespace zandor::test
