// A strict JSON reader for the tests and the fuzz targets: it accepts exactly
// the text that RFC 8259 allows (valid UTF-8 throughout, no lone surrogates, no
// duplicate keys) and gives back the values, strings decoded to their bytes.
// It shares no code with the writers it checks.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zandor::test {

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    std::string text;                // a string's decoded bytes, or a number as written
    std::vector<JsonValue> items;    // an array's items, or an object's member values
    std::vector<std::string> names;  // an object's member names, beside their values

    // The member called key, or null.
    const JsonValue* member(std::string_view key) const;
};

struct JsonParse {
    std::optional<JsonValue> value;
    std::string error;  // what was wrong, and where, when value is empty
};

// Parses one JSON text (surrounding blanks allowed, nothing else after it).
JsonParse parseJson(std::string_view text);

// Whether bytes are well-formed UTF-8: shortest forms only, no surrogates,
// nothing above U+10FFFF.
bool isWellFormedUtf8(std::string_view bytes);

}  // namespace zandor::test
