#include "results/row_text.h"

#include <string_view>

#include "platform/fs_time.h"
#include "results/text_escape.h"
#include "search/size_text.h"

namespace zandor {

namespace {

// CSV is a format of bytes: a name that is not UTF-8 is written as it is,
// so that the saved path names the very same file. Escaping such bytes as
// the tsv does would make "\xff" and a name holding those four characters
// read the same, and the CSV has no escapes to tell them apart.
void appendCsvField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (const char c : field) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

// The six fields of both formats; only the name and the path need the
// format's care, as the size, type and time texts hold no separator, quote,
// backslash or line break.
template <typename AppendText>
void appendFields(std::string& out, const FoundEntry& entry, char separator, AppendText appendText,
                  std::string_view lineEnd) {
    appendText(out, entry.name);
    out.push_back(separator);
    appendText(out, entry.path);
    out.push_back(separator);
    if (!entry.isFolder && entry.described) {
        appendSizeText(out, entry.size);
    }
    out.push_back(separator);
    out.append(entry.type());
    out.push_back(separator);
    if (entry.described) {
        appendTimeText(out, entry.created);
    }
    out.push_back(separator);
    if (entry.described) {
        appendTimeText(out, entry.lastWrite);
    }
    out.append(lineEnd);
}

}  // namespace

void appendTsvRow(std::string& out, const FoundEntry& entry) {
    appendFields(out, entry, '\t', appendTsvEscaped, "\n");
}

void appendCsvRow(std::string& out, const FoundEntry& entry) {
    appendFields(out, entry, ',', appendCsvField, "\r\n");
}

void appendCsvHeader(std::string& out) {
    out.append("Name,Path,Size,Type,Created,Modified\r\n");
}

}  // namespace zandor
