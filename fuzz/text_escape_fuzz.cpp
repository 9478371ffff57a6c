// Fuzzes the escaping and the rows of zandor-find's three output formats.
// On every input: a tsv field decodes back to the exact bytes and holds no
// tab or line break; a json string parses, is valid UTF-8 and gives back the
// bytes (or, for bytes that are not UTF-8, U+FFFD in their place and the exact
// bytes in the _hex member); a null row is the path and one NUL.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "cli/row_writer.h"
#include "fuzz_check.h"
#include "hex_text.h"
#include "json_checker.h"
#include "platform/utf8.h"
#include "reference_text.h"
#include "results/text_escape.h"
#include "tsv_decode.h"

namespace {

using namespace zandor;
using namespace zandor::fuzz;
using namespace zandor::test;

// The text with every byte that starts no well-formed sequence replaced by
// U+FFFD, one for each such byte.
std::string withReplacements(std::string_view text) {
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = 0;
        for (std::size_t candidate = 1; candidate <= 4 && pos + candidate <= text.size();
             ++candidate) {
            if (isWellFormedUtf8(text.substr(pos, candidate))) {
                length = candidate;
                break;
            }
        }
        if (length == 0) {
            out.append("\xEF\xBF\xBD");
            ++pos;
        } else {
            out.append(text.substr(pos, length));
            pos += length;
        }
    }
    return out;
}

void checkTsvEscape(std::string_view text) {
    std::string escaped = "prefix";
    appendTsvEscaped(escaped, text);
    FUZZ_CHECK(escaped.starts_with("prefix"), "appending replaced what was there");
    const std::string_view field = std::string_view(escaped).substr(6);
    FUZZ_CHECK(field.find_first_of("\t\n\r") == std::string_view::npos, hexOf(field));
    FUZZ_CHECK(isWellFormedUtf8(field), hexOf(field));
    const auto decoded = decodeTsvField(field);
    FUZZ_CHECK(decoded && *decoded == text, hexOf(text) + " -> " + hexOf(field));
}

void checkJsonEscape(std::string_view text) {
    std::string document = "\"";
    appendJsonEscaped(document, text);
    document.push_back('"');
    const JsonParse parsed = parseJson(document);
    FUZZ_CHECK(parsed.value.has_value(), parsed.error + ": " + hexOf(document));
    FUZZ_CHECK(parsed.value->kind == JsonValue::Kind::String, hexOf(document));
    FUZZ_CHECK(parsed.value->text == withReplacements(text),
               hexOf(text) + " -> " + hexOf(parsed.value->text));
}

void checkUtf8Tests(std::string_view text) {
    const bool valid = isWellFormedUtf8(text);
    FUZZ_CHECK(isValidUtf8(text) == valid, hexOf(text));
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const std::size_t length = utf8SequenceAt(text, pos);
        FUZZ_CHECK(length <= 4 && pos + length <= text.size(), hexOf(text));
        bool expected = false;
        for (std::size_t candidate = 1; candidate <= 4 && pos + candidate <= text.size();
             ++candidate) {
            if (isWellFormedUtf8(text.substr(pos, candidate))) {
                FUZZ_CHECK(length == candidate, hexOf(text) + " at " + std::to_string(pos));
                expected = true;
                break;
            }
        }
        FUZZ_CHECK(expected || length == 0, hexOf(text) + " at " + std::to_string(pos));
    }
    std::string hex;
    appendHex(hex, text);
    FUZZ_CHECK(hex.size() == 2 * text.size() && bytesFromLowerHex(hex) == text, hex);
}

void checkTsvRow(const FoundEntry& entry) {
    std::string row;
    RowWriter::appendRow(row, entry, OutputFormat::Tsv);
    FUZZ_CHECK(!row.empty() && row.back() == '\n' && row.find('\n') == row.size() - 1, hexOf(row));
    const auto fields = splitTsvLine(std::string_view(row).substr(0, row.size() - 1));
    FUZZ_CHECK(fields.size() == 6, hexOf(row));
    FUZZ_CHECK(decodeTsvField(fields[0]) == std::string(entry.name), hexOf(row));
    FUZZ_CHECK(decodeTsvField(fields[1]) == std::string(entry.path), hexOf(row));
    FUZZ_CHECK(fields[2] == (entry.isFolder ? std::string() : referenceSizeText(entry.size)),
               std::string(fields[2]));
    FUZZ_CHECK(fields[3] == (entry.isFolder ? "File Folder" : "File"), std::string(fields[3]));
    FUZZ_CHECK(fields[4] == referenceTimeText(entry.created),
               std::to_string(entry.created) + " -> " + std::string(fields[4]));
    FUZZ_CHECK(fields[5] == referenceTimeText(entry.lastWrite),
               std::to_string(entry.lastWrite) + " -> " + std::string(fields[5]));
}

void checkJsonText(const JsonValue& row, const std::string& key, std::string_view bytes) {
    const JsonValue* text = row.member(key);
    const JsonValue* hex = row.member(key + "_hex");
    FUZZ_CHECK(text != nullptr && text->kind == JsonValue::Kind::String, key);
    FUZZ_CHECK(text->text == withReplacements(bytes), key + ": " + hexOf(bytes));
    if (isWellFormedUtf8(bytes)) {
        FUZZ_CHECK(hex == nullptr, key + "_hex beside valid UTF-8: " + hexOf(bytes));
    } else {
        FUZZ_CHECK(
            hex != nullptr && hex->kind == JsonValue::Kind::String && hex->text == hexOf(bytes),
            key + "_hex missing or wrong: " + hexOf(bytes));
    }
}

void checkJsonRow(const FoundEntry& entry) {
    std::string row;
    RowWriter::appendRow(row, entry, OutputFormat::Json);
    FUZZ_CHECK(!row.empty() && row.back() == '\n' && row.find('\n') == row.size() - 1, hexOf(row));
    const JsonParse parsed = parseJson(std::string_view(row).substr(0, row.size() - 1));
    FUZZ_CHECK(parsed.value && parsed.value->kind == JsonValue::Kind::Object,
               parsed.error + ": " + hexOf(row));
    const JsonValue& object = *parsed.value;
    checkJsonText(object, "name", entry.name);
    checkJsonText(object, "path", entry.path);
    const auto field = [&](const char* key, JsonValue::Kind kind) {
        const JsonValue* value = object.member(key);
        FUZZ_CHECK(value != nullptr && value->kind == kind, key);
        return value->text;
    };
    FUZZ_CHECK(field("size", JsonValue::Kind::Number) == std::to_string(entry.size), row);
    FUZZ_CHECK(field("size_text", JsonValue::Kind::String) ==
                   (entry.isFolder ? std::string() : referenceSizeText(entry.size)),
               row);
    FUZZ_CHECK(field("type", JsonValue::Kind::String) == (entry.isFolder ? "File Folder" : "File"),
               row);
    FUZZ_CHECK(field("created", JsonValue::Kind::String) == referenceTimeText(entry.created), row);
    FUZZ_CHECK(field("last_write", JsonValue::Kind::String) == referenceTimeText(entry.lastWrite),
               row);
    FUZZ_CHECK(field("created_epoch", JsonValue::Kind::Number) == std::to_string(entry.created),
               row);
    FUZZ_CHECK(
        field("last_write_epoch", JsonValue::Kind::Number) == std::to_string(entry.lastWrite), row);
}

void checkNullRow(const FoundEntry& entry) {
    std::string row;
    RowWriter::appendRow(row, entry, OutputFormat::Null);
    FUZZ_CHECK(row == std::string(entry.path) + '\0', hexOf(row));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    useTestTimeZone();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string name = input.ConsumeRandomLengthString();
    const std::string path = input.ConsumeRandomLengthString();
    FoundEntry entry;
    entry.name = name;
    entry.path = path;
    entry.size = input.ConsumeIntegral<std::uint64_t>();
    entry.isFolder = input.ConsumeBool();
    entry.created = input.ConsumeIntegral<std::int64_t>();
    entry.lastWrite = input.ConsumeIntegral<std::int64_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();

    for (const std::string_view bytes : {std::string_view(text), std::string_view(name)}) {
        checkUtf8Tests(bytes);
        checkTsvEscape(bytes);
        checkJsonEscape(bytes);
    }
    checkTsvRow(entry);
    checkJsonRow(entry);
    checkNullRow(entry);
    return 0;
}
