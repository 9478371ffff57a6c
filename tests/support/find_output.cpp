#include "find_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "hex_text.h"
#include "json_checker.h"
#include "run_process.h"
#include "tsv_decode.h"

namespace zandor::test {

namespace {

std::vector<std::string_view> lines(std::string_view out) {
    std::vector<std::string_view> result;
    while (!out.empty()) {
        const std::size_t end = out.find('\n');
        if (end == std::string_view::npos) {
            ADD_FAILURE() << "output does not end with a line feed";
            result.push_back(out);
            break;
        }
        result.push_back(out.substr(0, end));
        out.remove_prefix(end + 1);
    }
    return result;
}

}  // namespace

std::vector<std::string> nulItems(std::string_view out) {
    std::vector<std::string> items;
    while (!out.empty()) {
        const std::size_t end = out.find('\0');
        if (end == std::string_view::npos) {
            ADD_FAILURE() << "output does not end with a NUL byte";
            items.emplace_back(out);
            break;
        }
        items.emplace_back(out.substr(0, end));
        out.remove_prefix(end + 1);
    }
    return items;
}

std::vector<FoundRow> tsvRows(std::string_view out) {
    std::vector<FoundRow> rows;
    for (const std::string_view line : lines(out)) {
        const auto fields = splitTsvLine(line);
        if (fields.size() != 6) {
            ADD_FAILURE() << "a row of " << fields.size() << " fields: " << line;
            continue;
        }
        const auto name = decodeTsvField(fields[0]);
        const auto path = decodeTsvField(fields[1]);
        EXPECT_TRUE(name && path) << "bad escape in " << line;
        rows.push_back(FoundRow{name.value_or(""), path.value_or(""), std::string(fields[2]),
                                std::string(fields[3]), std::string(fields[4]),
                                std::string(fields[5]), ""});
    }
    return rows;
}

std::vector<FoundRow> jsonRows(std::string_view out) {
    std::vector<FoundRow> rows;
    for (const std::string_view line : lines(out)) {
        const JsonParse parsed = parseJson(line);
        if (!parsed.value || parsed.value->kind != JsonValue::Kind::Object) {
            ADD_FAILURE() << "not a json object (" << parsed.error << "): " << line;
            continue;
        }
        const JsonValue& object = *parsed.value;
        const auto text = [&](const std::string& key) {
            const JsonValue* value = object.member(key);
            EXPECT_NE(value, nullptr) << key << " missing in " << line;
            return value != nullptr ? value->text : std::string();
        };
        const auto bytes = [&](const std::string& key) {
            const JsonValue* hex = object.member(key + "_hex");
            if (hex == nullptr) {
                return text(key);
            }
            const auto raw = bytesFromLowerHex(hex->text);
            EXPECT_TRUE(raw.has_value()) << key << "_hex is not lower-case hex in " << line;
            return raw.value_or("");
        };
        rows.push_back(FoundRow{bytes("name"), bytes("path"), text("size_text"), text("type"),
                                text("created"), text("last_write"), text("size")});
    }
    return rows;
}

std::vector<std::string> pathsOf(const std::vector<FoundRow>& rows) {
    std::vector<std::string> paths;
    for (const auto& row : rows) {
        paths.push_back(row.path);
    }
    return paths;
}

std::vector<std::string> sorted(std::vector<std::string> items) {
    std::sort(items.begin(), items.end());
    return items;
}

void TreeShape::add(std::string_view path) {
    if (!path.starts_with(m_root + "/")) {
        ADD_FAILURE() << "not below the root: " << path.substr(0, 200);
        return;
    }
    const std::size_t slash = path.rfind('/');
    const std::string_view parent = path.substr(0, slash);
    const std::string_view name = path.substr(slash + 1);
    std::size_t depth = 1;
    if (parent.size() > m_root.size()) {
        // The parent must be the last path added or one of the folders on it.
        const auto at = std::find(m_ends.begin(), m_ends.end(), parent.size());
        if (at == m_ends.end() || m_current.compare(0, parent.size(), parent) != 0) {
            ADD_FAILURE() << "listed before its folder: ..." << path.substr(path.size() - 100);
            return;
        }
        depth = static_cast<std::size_t>(at - m_ends.begin()) + 2;
    }
    if (depth == 1) {
        m_current = m_root;
    } else {
        m_current.resize(parent.size());
    }
    m_current.push_back('/');
    m_current.append(name);
    m_ends.resize(depth - 1);
    m_ends.push_back(m_current.size());
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%06zu ", depth);
    m_entries.push_back(prefix + std::string(name));
}

std::vector<std::string> TreeShape::sorted() const {
    return test::sorted(m_entries);
}

int streamNulItems(const std::vector<std::string>& argv,
                   const std::function<void(std::string_view)>& onItem, std::string& err) {
    std::string pending;
    ProcessResult result = ChildProcess(argv).finish([&](std::string_view piece) {
        pending.append(piece);
        std::size_t start = 0;
        for (std::size_t end; (end = pending.find('\0', start)) != std::string::npos;
             start = end + 1) {
            onItem(std::string_view(pending).substr(start, end - start));
        }
        pending.erase(0, start);
    });
    EXPECT_TRUE(pending.empty()) << "output does not end with a NUL byte";
    err = std::move(result.err);
    return result.exitCode;
}

}  // namespace zandor::test
