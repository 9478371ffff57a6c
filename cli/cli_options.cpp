#include "cli/cli_options.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace zandor {

namespace {

std::optional<std::int64_t> parseWholeNumber(std::string_view text) {
    std::int64_t value = 0;
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || value < 0) {
        return std::nullopt;
    }
    return value;
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const auto& item : items) {
        text.append(text.empty() ? "" : ", ").append(item);
    }
    return text;
}

std::optional<UsageError> parseSize(std::string_view value, LiveConditions& conditions) {
    static const std::vector<std::string> kRelations = {"at-least", "at-most", "equal"};
    static constexpr SizeRelation kRelationOf[] = {SizeRelation::AtLeast, SizeRelation::AtMost,
                                                   SizeRelation::Equal};
    const std::size_t colon = value.find(':');
    const auto relation = std::find(kRelations.begin(), kRelations.end(), value.substr(0, colon));
    const auto number =
        colon == std::string_view::npos ? std::nullopt : parseWholeNumber(value.substr(colon + 1));
    if (relation == kRelations.end() || !number) {
        return UsageError{"invalid --size '" + std::string(value) +
                          "': expected REL:N with REL one of " + joined(kRelations) +
                          " and N a whole number of KB (0 or more)"};
    }
    conditions.m_bSizeFilter = true;
    conditions.m_nSizeRelation = kRelationOf[relation - kRelations.begin()];
    conditions.m_sizeKB = *number;
    return std::nullopt;
}

std::optional<UsageError> parseDate(std::string_view option, std::string_view value, DateKind kind,
                                    LiveConditions& conditions) {
    // The same option given again replaces its value; the other one clashes.
    if (conditions.m_bDateFilter && conditions.m_dateKind != kind) {
        return UsageError{"--created and --modified cannot be used together"};
    }
    std::string_view digits = value;
    bool days = true;
    if (!digits.empty() && (digits.back() == 'd' || digits.back() == 'm')) {
        days = digits.back() == 'd';
        digits.remove_suffix(1);
    }
    const auto number = parseWholeNumber(digits);
    if (!number) {
        return UsageError{"invalid " + std::string(option) + " '" + std::string(value) +
                          "': expected N, Nd (days) or Nm (months) with N a whole number"};
    }
    conditions.m_bDateFilter = true;
    conditions.m_dateKind = kind;
    conditions.m_daysChecked = days;
    (days ? conditions.m_days : conditions.m_months) = *number;
    return std::nullopt;
}

std::optional<UsageError> parseFormat(std::string_view value, CliOptions& options) {
    if (value == "tsv") {
        options.format = OutputFormat::Tsv;
    } else if (value == "json") {
        options.format = OutputFormat::Json;
    } else if (value == "null") {
        options.format = OutputFormat::Null;
    } else {
        return UsageError{"invalid --format '" + std::string(value) +
                          "': expected tsv, json or null"};
    }
    return std::nullopt;
}

std::optional<UsageError> parseType(std::string_view value, LiveConditions& conditions) {
    const auto& known = knownTypeExtensions();
    if (std::find(known.begin(), known.end(), value) == known.end()) {
        return UsageError{"invalid --type '" + std::string(value) + "': expected one of " +
                          joined(known)};
    }
    conditions.m_bTypeFilter = true;
    conditions.m_strTypeExt = std::string(value);
    return std::nullopt;
}

std::optional<UsageError> parseSort(std::string_view value, CliOptions& options) {
    static const std::vector<std::string> kKeys = {"name", "path",    "size",
                                                   "type", "created", "modified"};
    const std::size_t colon = value.find(':');
    const auto key = std::find(kKeys.begin(), kKeys.end(), value.substr(0, colon));
    const std::string_view direction =
        colon == std::string_view::npos ? std::string_view("asc") : value.substr(colon + 1);
    if (key == kKeys.end() || (direction != "asc" && direction != "desc")) {
        return UsageError{"invalid --sort '" + std::string(value) +
                          "': expected KEY or KEY:desc with KEY one of " + joined(kKeys)};
    }
    options.sortKey = static_cast<SortKey>(key - kKeys.begin());
    options.sortDescending = direction == "desc";
    return std::nullopt;
}

// Options that take a value, and what they do with it.
std::optional<UsageError> applyValue(std::string_view option, std::string_view value,
                                     CliOptions& options) {
    if (option == "-n" || option == "--name") {
        options.name = std::string(value);
        return std::nullopt;
    }
    if (option == "--size") {
        return parseSize(value, options.conditions);
    }
    if (option == "--type") {
        return parseType(value, options.conditions);
    }
    if (option == "--created") {
        return parseDate(option, value, DateKind::Created, options.conditions);
    }
    if (option == "--modified") {
        return parseDate(option, value, DateKind::Modified, options.conditions);
    }
    if (option == "--sort") {
        return parseSort(value, options);
    }
    if (option == "--properties") {
        if (value.empty()) {
            return UsageError{"option --properties needs a PATH"};
        }
        options.propertiesPath = std::string(value);
        return std::nullopt;
    }
    return parseFormat(value, options);  // --format, the last one that takes a value
}

bool takesValue(std::string_view option) {
    return option == "-n" || option == "--name" || option == "--size" || option == "--type" ||
           option == "--created" || option == "--modified" || option == "--format" ||
           option == "--sort" || option == "--properties";
}

// Flags without a value; false when option is none of them.
bool applyFlag(std::string_view option, CliOptions& options) {
    if (option == "--no-subdirs") {
        options.conditions.m_bIncludeSubDirs = false;
    } else if (option == "--case-sensitive") {
        options.caseSensitive = true;
    } else if (option == "--progress") {
        options.progress = true;
    } else if (option == "-h" || option == "--help") {
        options.help = true;
    } else if (option == "--version") {
        options.version = true;
    } else {
        return false;
    }
    return true;
}

}  // namespace

const std::vector<std::string>& knownTypeExtensions() {
    static const std::vector<std::string> kTypes = {"bmp", "c",    "h",   "c++",  "cpp",
                                                    "hlp", "html", "ico", "java", "rc",
                                                    "dsp", "dsw",  "xml", "zip"};
    return kTypes;
}

std::variant<CliOptions, UsageError> parseCliOptions(const std::vector<std::string>& args) {
    CliOptions options;
    std::vector<std::string> folders;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            folders.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string_view option = arg;
        std::optional<std::string_view> value;
        if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
            option = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        if (takesValue(option)) {
            if (!value) {
                if (i + 1 == args.size()) {
                    return UsageError{"option " + std::string(option) + " needs a value"};
                }
                value = args[++i];
            }
            if (auto error = applyValue(option, *value, options)) {
                return *error;
            }
        } else if (value || !applyFlag(option, options)) {
            return UsageError{
                "unknown option '" + std::string(arg) +
                "'; valid options: -n/--name, --no-subdirs, --case-sensitive, "
                "--size, --type, --created, --modified, --format, --sort, --progress, "
                "--properties, -h/--help, --version"};
        }
    }
    if (folders.size() > 1) {
        return UsageError{"more than one FOLDER given ('" + folders[0] + "' and '" + folders[1] +
                          "'): give one folder to look in"};
    }
    if (!folders.empty()) {
        options.folder = folders.front();
    }
    return options;
}

std::string cliHelpText() {
    return R"(Usage: zandor-find [OPTIONS] [FOLDER]
Finds files and folders below FOLDER whose names match, as the Zandor window does.

  FOLDER                where to look (default: the current directory), used as given
  -n, --name TEXT       the name text: "report" finds names whose part before the first
                        dot contains report; "rep*" names that start with rep; "*.txt"
                        files whose text after the first dot is txt; "*.ht*" files whose
                        text after the first dot starts with ht. A dot in TEXT lists no
                        folders. Empty (the default) finds every file and folder.
      --no-subdirs      examine only FOLDER's own entries
      --case-sensitive  the name and extension tests compare letter case
      --size REL:N      REL is at-least, at-most or equal; N a whole number of KB (0 or
                        more). The size in KB is 0 for an empty file, else bytes/1024+1;
                        at-least admits sizes above N, at-most below N. Folders are not
                        listed while a size or type condition is on.
      --type EXT        files whose text after the first dot is EXT, one of:
                        bmp c h c++ cpp hlp html ico java rc dsp dsw xml zip
      --created N[d|m]  created in the last N days (d, the default unit) or 30-day months (m)
      --modified N[d|m] modified in the last N days or months (one of --created, --modified)
      --format FORMAT   tsv (default): name, path, size text, type, creation, last write,
                          tab-separated, one row a line; in names and paths \ tab LF CR are
                          written \\ \t \n \r and a byte that is not UTF-8 as \xHH.
                        json: one object a line with name, path, size (bytes), size_text,
                          type, created, last_write, created_epoch, last_write_epoch; in a
                          name or path that is not valid UTF-8 each bad byte shows as
                          U+FFFD and the exact bytes follow in hex as name_hex or path_hex.
                        null: each path alone, then a NUL byte, bytes unchanged.
      --sort KEY[:desc] after the walk, print all folders, then all files, each sorted
                        stably by KEY (name, path, size, type, created, modified),
                        ascending, or descending with :desc. Texts compare ignoring
                        the case of A-Z; sizes and times compare as numbers.
      --progress        write every progress title to standard error as the walk makes it
      --properties PATH print the properties report of PATH instead of searching: its
                        type, location, size and the files and folders it contains
                        (links counted as files, never followed), on four lines
  -h, --help            show this text
      --version         show the version

Rows go to standard output in the order of the walk, a folder before what it holds.
Symbolic links are listed, never followed. The completion line goes to standard error.
Exit status: 0 the search ran; 1 FOLDER cannot be read or the output cannot be written;
2 usage error; 130 stopped by Ctrl-C (143 by SIGTERM).
)";
}

}  // namespace zandor
