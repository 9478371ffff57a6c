#include "csv_read.h"

namespace zandor::test {

std::optional<std::vector<CsvRecord>> readCsv(std::string_view text) {
    std::vector<CsvRecord> records;
    CsvRecord record;
    std::size_t i = 0;
    while (i < text.size()) {
        std::string field;
        if (text[i] == '"') {
            for (++i;; ++i) {
                if (i == text.size()) {
                    return std::nullopt;  // the quote is never closed
                }
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field.push_back('"');
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.push_back(text[i]);
            }
        } else {
            for (; i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n'; ++i) {
                if (text[i] == '"') {
                    return std::nullopt;
                }
                field.push_back(text[i]);
            }
        }
        record.push_back(std::move(field));
        if (i < text.size() && text[i] == ',') {
            ++i;
            continue;
        }
        if (text.substr(i, 2) != "\r\n") {
            return std::nullopt;
        }
        i += 2;
        records.push_back(std::move(record));
        record.clear();
    }
    return records;
}

}  // namespace zandor::test
