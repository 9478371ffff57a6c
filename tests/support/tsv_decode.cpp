#include "tsv_decode.h"

namespace zandor::test {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;  // the writer uses lower-case digits only
}

}  // namespace

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
                if (field.size() - i < 3) {
                    return std::nullopt;
                }
                const int high = hexValue(field[i + 1]);
                const int low = hexValue(field[i + 2]);
                if (high < 0 || low < 0) {
                    return std::nullopt;
                }
                out.push_back(static_cast<char>(high * 16 + low));
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
