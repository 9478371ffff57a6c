#include "tsv_decode.h"

#include "hex_text.h"

namespace zandor::test {

std::optional<std::string> decodeTsvField(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out.push_back(field[i]);
            continue;
        }
        if (++i == field.size()) {
            return std::nullopt;
        }
        switch (field[i]) {
            case '\\':
                out.push_back('\\');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 'x': {
                // The writer uses lower-case digits only.
                const auto byte =
                    i + 2 < field.size() ? bytesFromLowerHex(field.substr(i + 1, 2)) : std::nullopt;
                if (!byte) {
                    return std::nullopt;
                }
                out.append(*byte);
                i += 2;
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string_view> splitTsvLine(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

}  // namespace zandor::test
