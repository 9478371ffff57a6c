// Fuzzes the command line of zandor-find. The input is split at NUL bytes
// into arguments. On every input: parsing ends with options or a usage error
// with a message; options hold only values the options allow; and options
// written back as a canonical command line parse to the same options.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "fuzz_check.h"

namespace {

using namespace zandor;
using namespace zandor::fuzz;

std::string joinedForMessage(const std::vector<std::string>& args) {
    std::string text;
    for (const auto& arg : args) {
        text.append("[").append(Hex(arg)).append("]");
    }
    return text;
}

// The options as a command line of "--option=value" forms, the folder last
// after "--", so that no value is read as an option.
std::vector<std::string> canonicalArgs(const CliOptions& options) {
    static const char* const kSortKeys[] = {"name", "path", "size", "type", "created", "modified"};
    static const char* const kRelations[] = {"at-least", "at-most", "equal"};
    static const char* const kFormats[] = {"tsv", "json", "null"};
    std::vector<std::string> args;
    args.push_back("--name=" + options.name);
    if (!options.conditions.m_bIncludeSubDirs) {
        args.push_back("--no-subdirs");
    }
    if (options.caseSensitive) {
        args.push_back("--case-sensitive");
    }
    if (options.progress) {
        args.push_back("--progress");
    }
    if (options.help) {
        args.push_back("--help");
    }
    if (options.version) {
        args.push_back("--version");
    }
    args.push_back(std::string("--format=") + kFormats[static_cast<int>(options.format)]);
    const LiveConditions& c = options.conditions;
    if (c.m_bSizeFilter) {
        args.push_back(std::string("--size=") + kRelations[c.m_nSizeRelation] + ":" +
                       std::to_string(c.m_nSizeKB));
    }
    if (c.m_bTypeFilter) {
        args.push_back("--type=" + c.m_strTypeExt);
    }
    if (c.m_bDateFilter) {
        const std::string option = c.m_nDateKind == 0 ? "--created=" : "--modified=";
        args.push_back(option + (c.m_bDaysChecked ? std::to_string(c.m_nDays) + "d"
                                                  : std::to_string(c.m_nMonths) + "m"));
    }
    if (options.sortKey) {
        args.push_back(std::string("--sort=") + kSortKeys[static_cast<int>(*options.sortKey)] +
                       (options.sortDescending ? ":desc" : ""));
    }
    if (options.propertiesPath) {
        args.push_back("--properties=" + *options.propertiesPath);
    }
    args.push_back("--");
    args.push_back(options.folder);
    return args;
}

// The same conditions as a search sees them: a value counts only while its
// condition is on (a --created 5m replaced by --created 3d keeps 5 months
// aside, unused).
bool sameConditions(const LiveConditions& a, const LiveConditions& b) {
    if (a.m_bSizeFilter != b.m_bSizeFilter || a.m_bTypeFilter != b.m_bTypeFilter ||
        a.m_bDateFilter != b.m_bDateFilter || a.m_bIncludeSubDirs != b.m_bIncludeSubDirs) {
        return false;
    }
    if (a.m_bSizeFilter && (a.m_nSizeRelation != b.m_nSizeRelation || a.m_nSizeKB != b.m_nSizeKB)) {
        return false;
    }
    if (a.m_bTypeFilter && a.m_strTypeExt != b.m_strTypeExt) {
        return false;
    }
    if (a.m_bDateFilter) {
        if (a.m_nDateKind != b.m_nDateKind || a.m_bDaysChecked != b.m_bDaysChecked) {
            return false;
        }
        return a.m_bDaysChecked ? a.m_nDays == b.m_nDays : a.m_nMonths == b.m_nMonths;
    }
    return true;
}

bool sameOptions(const CliOptions& a, const CliOptions& b) {
    return a.folder == b.folder && a.name == b.name && a.caseSensitive == b.caseSensitive &&
           a.progress == b.progress && a.format == b.format &&
           sameConditions(a.conditions, b.conditions) && a.sortKey == b.sortKey &&
           a.sortDescending == b.sortDescending && a.propertiesPath == b.propertiesPath &&
           a.help == b.help && a.version == b.version;
}

void checkAllowedValues(const CliOptions& options, const std::string& args) {
    const LiveConditions& c = options.conditions;
    FUZZ_CHECK(!c.m_bSizeFilter || (c.m_nSizeRelation >= 0 && c.m_nSizeRelation <= 2), args);
    FUZZ_CHECK(c.m_nSizeKB >= 0 && c.m_nDays >= 0 && c.m_nMonths >= 0, args);
    if (c.m_bTypeFilter) {
        const auto& known = KnownTypeExtensions();
        FUZZ_CHECK(std::find(known.begin(), known.end(), c.m_strTypeExt) != known.end(), args);
    }
    FUZZ_CHECK(!c.m_bDateFilter || c.m_nDateKind == 0 || c.m_nDateKind == 1, args);
    FUZZ_CHECK(!options.propertiesPath || !options.propertiesPath->empty(), args);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args;
    const auto* text = reinterpret_cast<const char*>(data);
    for (std::size_t start = 0; start <= size;) {
        std::size_t end = start;
        while (end < size && text[end] != '\0') {
            ++end;
        }
        if (end > start || end < size) {
            args.emplace_back(text + start, end - start);
        }
        start = end + 1;
    }
    const std::string shown = joinedForMessage(args);
    const auto parsed = ParseCliOptions(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        FUZZ_CHECK(!error->message.empty(), shown);
        return 0;
    }
    const auto& options = std::get<CliOptions>(parsed);
    checkAllowedValues(options, shown);

    const auto canonical = canonicalArgs(options);
    const auto again = ParseCliOptions(canonical);
    const auto* reparsed = std::get_if<CliOptions>(&again);
    FUZZ_CHECK(reparsed != nullptr, shown + " -> " + joinedForMessage(canonical) + ": " +
                                        std::get<UsageError>(again).message);
    FUZZ_CHECK(sameOptions(options, *reparsed), shown + " -> " + joinedForMessage(canonical));
    return 0;
}
