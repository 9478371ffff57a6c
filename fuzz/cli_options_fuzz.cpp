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
#include "search/file_types.h"

namespace {

using namespace zandor;
using namespace zandor::fuzz;

std::string joinedForMessage(const std::vector<std::string>& args) {
    std::string text;
    for (const auto& arg : args) {
        text.append("[").append(hexOf(arg)).append("]");
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
        args.push_back(std::string("--size=") + kRelations[static_cast<int>(c.m_nSizeRelation)] +
                       ":" + std::to_string(c.m_sizeKB));
    }
    if (c.m_bTypeFilter) {
        args.push_back("--type=" + c.m_strTypeExt);
    }
    if (c.m_bDateFilter) {
        const std::string option = c.m_dateKind == DateKind::Created ? "--created=" : "--modified=";
        args.push_back(option + (c.m_daysChecked ? std::to_string(c.m_days) + "d"
                                                 : std::to_string(c.m_months) + "m"));
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
    if (a.m_bSizeFilter && (a.m_nSizeRelation != b.m_nSizeRelation || a.m_sizeKB != b.m_sizeKB)) {
        return false;
    }
    if (a.m_bTypeFilter && a.m_strTypeExt != b.m_strTypeExt) {
        return false;
    }
    if (a.m_bDateFilter) {
        if (a.m_dateKind != b.m_dateKind || a.m_daysChecked != b.m_daysChecked) {
            return false;
        }
        return a.m_daysChecked ? a.m_days == b.m_days : a.m_months == b.m_months;
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
    const auto relation = static_cast<int>(c.m_nSizeRelation);
    FUZZ_CHECK(!c.m_bSizeFilter || (relation >= 0 && relation <= 2), args);
    FUZZ_CHECK(c.m_sizeKB >= 0 && c.m_days >= 0 && c.m_months >= 0, args);
    if (c.m_bTypeFilter) {
        FUZZ_CHECK(
            std::any_of(kFileTypes.begin(), kFileTypes.end(),
                        [&](const FileType& type) { return type.extension == c.m_strTypeExt; }) ||
                std::any_of(kFileKinds.begin(), kFileKinds.end(),
                            [&](const FileKindName& kind) { return kind.word == c.m_strTypeExt; }),
            args);
    }
    FUZZ_CHECK(
        !c.m_bDateFilter || c.m_dateKind == DateKind::Created || c.m_dateKind == DateKind::Modified,
        args);
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
    const auto parsed = parseCliOptions(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        FUZZ_CHECK(!error->message.empty(), shown);
        return 0;
    }
    const auto& options = std::get<CliOptions>(parsed);
    checkAllowedValues(options, shown);

    const auto canonical = canonicalArgs(options);
    const auto again = parseCliOptions(canonical);
    const auto* reparsed = std::get_if<CliOptions>(&again);
    FUZZ_CHECK(reparsed != nullptr, shown + " -> " + joinedForMessage(canonical) + ": " +
                                        std::get<UsageError>(again).message);
    FUZZ_CHECK(sameOptions(options, *reparsed), shown + " -> " + joinedForMessage(canonical));
    return 0;
}
