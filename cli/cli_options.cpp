#include "cli/cli_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

#include "search/file_types.h"

namespace zandor {

namespace {

using Applied = std::optional<UsageError>;

// One option of the command line: how it is spelled, the value it takes (an
// empty name for a flag), what it does to the options, and its help text,
// whose lines after the first continue under it.
struct CliOption {
    std::string_view shortName;  // "-n", or empty
    std::string_view longName;   // "--name"
    std::string_view argument;   // "TEXT", or empty for a flag
    Applied (*apply)(std::string_view option, std::string_view value, CliOptions& options);
    std::string help;
};

// More threads than this only wait on one another.
constexpr unsigned kMaxThreads = 256;

// The help text's options start their text in this column.
constexpr std::size_t kHelpColumn = 24;

template <typename Words>
std::string joined(const Words& words, std::string_view separator) {
    std::string text;
    for (const auto& word : words) {
        text.append(text.empty() ? "" : separator).append(word);
    }
    return text;
}

// The words an option's value may be, each with what it stands for.
template <typename Value>
struct Word {
    std::string_view text;
    Value value;
};

template <typename Value, std::size_t N>
std::optional<Value> lookUp(const std::array<Word<Value>, N>& words, std::string_view text) {
    const auto found = std::find_if(words.begin(), words.end(),
                                    [&](const Word<Value>& word) { return word.text == text; });
    return found == words.end() ? std::nullopt : std::optional<Value>(found->value);
}

template <typename Value, std::size_t N>
std::string wordList(const std::array<Word<Value>, N>& words) {
    std::array<std::string_view, N> texts;
    std::transform(words.begin(), words.end(), texts.begin(),
                   [](const Word<Value>& word) { return word.text; });
    return joined(texts, ", ");
}

constexpr std::array<Word<SizeRelation>, 3> kRelations{{
    {"at-least", SizeRelation::AtLeast},
    {"at-most", SizeRelation::AtMost},
    {"equal", SizeRelation::Equal},
}};

constexpr std::array<Word<SortKey>, 6> kSortKeys{{
    {"name", SortKey::Name},
    {"path", SortKey::Path},
    {"size", SortKey::Size},
    {"type", SortKey::Type},
    {"created", SortKey::Created},
    {"modified", SortKey::LastWrite},
}};

constexpr std::array<Word<OutputFormat>, 3> kFormats{{
    {"tsv", OutputFormat::Tsv},
    {"json", OutputFormat::Json},
    {"null", OutputFormat::Null},
}};

// One text field of every entry of a table, in its order.
template <typename Table, typename Entry>
std::vector<std::string_view> fieldOfEach(const Table& table, std::string_view Entry::*field) {
    std::vector<std::string_view> texts;
    texts.reserve(std::size(table));
    for (const Entry& entry : table) {
        texts.push_back(entry.*field);
    }
    return texts;
}

std::vector<std::string_view> typeExtensions() {
    return fieldOfEach(kFileTypes, &FileType::extension);
}

std::vector<std::string_view> kindWords() {
    return fieldOfEach(kFileKinds, &FileKindName::word);
}

// Every value --type takes: the extensions, then the kinds' words.
std::vector<std::string_view> typeValues() {
    std::vector<std::string_view> values = typeExtensions();
    const std::vector<std::string_view> words = kindWords();
    values.insert(values.end(), words.begin(), words.end());
    return values;
}

std::optional<std::int64_t> parseWholeNumber(std::string_view text) {
    std::int64_t value = 0;
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || value < 0) {
        return std::nullopt;
    }
    return value;
}

Applied applyName(std::string_view, std::string_view value, CliOptions& options) {
    options.name = std::string(value);
    return std::nullopt;
}

Applied applyNoSubDirs(std::string_view, std::string_view, CliOptions& options) {
    options.conditions.m_bIncludeSubDirs = false;
    return std::nullopt;
}

Applied applyCaseSensitive(std::string_view, std::string_view, CliOptions& options) {
    options.caseSensitive = true;
    return std::nullopt;
}

Applied applySize(std::string_view, std::string_view value, CliOptions& options) {
    const std::size_t colon = value.find(':');
    const auto relation = lookUp(kRelations, value.substr(0, colon));
    const auto number =
        colon == std::string_view::npos ? std::nullopt : parseWholeNumber(value.substr(colon + 1));
    if (!relation || !number) {
        return UsageError{"invalid --size '" + std::string(value) +
                          "': expected REL:N with REL one of " + wordList(kRelations) +
                          " and N a whole number of KB (0 or more)"};
    }
    options.conditions.m_bSizeFilter = true;
    options.conditions.m_nSizeRelation = *relation;
    options.conditions.m_sizeKB = *number;
    return std::nullopt;
}

Applied applyType(std::string_view, std::string_view value, CliOptions& options) {
    const std::vector<std::string_view> values = typeValues();
    if (std::find(values.begin(), values.end(), value) == values.end()) {
        return UsageError{"invalid --type '" + std::string(value) + "': expected one of " +
                          joined(values, ", ")};
    }
    options.conditions.m_bTypeFilter = true;
    options.conditions.m_strTypeExt = std::string(value);
    return std::nullopt;
}

Applied applyDate(std::string_view option, std::string_view value, DateKind kind,
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

Applied applyCreated(std::string_view option, std::string_view value, CliOptions& options) {
    return applyDate(option, value, DateKind::Created, options.conditions);
}

Applied applyModified(std::string_view option, std::string_view value, CliOptions& options) {
    return applyDate(option, value, DateKind::Modified, options.conditions);
}

Applied applyContaining(std::string_view, std::string_view value, CliOptions& options) {
    if (value.empty()) {
        return UsageError{"option --containing needs a TEXT that is not empty"};
    }
    options.conditions.m_strContaining = std::string(value);
    return std::nullopt;
}

Applied applyBinary(std::string_view, std::string_view, CliOptions& options) {
    options.conditions.m_bIncludeBinary = true;
    return std::nullopt;
}

Applied applyExclude(std::string_view, std::string_view value, CliOptions& options) {
    if (value.empty()) {
        return UsageError{"option --exclude needs a PATTERN that is not empty"};
    }
    options.leaveOut.emplace_back(value);
    return std::nullopt;
}

Applied applyOneFileSystem(std::string_view, std::string_view, CliOptions& options) {
    options.stayOnDisk = true;
    return std::nullopt;
}

Applied applyFormat(std::string_view, std::string_view value, CliOptions& options) {
    const auto format = lookUp(kFormats, value);
    if (!format) {
        return UsageError{"invalid --format '" + std::string(value) +
                          "': expected tsv, json or null"};
    }
    options.format = *format;
    return std::nullopt;
}

Applied applySort(std::string_view, std::string_view value, CliOptions& options) {
    const std::size_t colon = value.find(':');
    const auto key = lookUp(kSortKeys, value.substr(0, colon));
    const std::string_view direction =
        colon == std::string_view::npos ? std::string_view("asc") : value.substr(colon + 1);
    if (!key || (direction != "asc" && direction != "desc")) {
        return UsageError{"invalid --sort '" + std::string(value) +
                          "': expected KEY or KEY:desc with KEY one of " + wordList(kSortKeys)};
    }
    options.sortKey = *key;
    options.sortDescending = direction == "desc";
    return std::nullopt;
}

Applied applyProgress(std::string_view, std::string_view, CliOptions& options) {
    options.progress = true;
    return std::nullopt;
}

Applied applyThreads(std::string_view, std::string_view value, CliOptions& options) {
    unsigned threads = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), threads);
    if (error != std::errc() || end != value.data() + value.size() || threads == 0 ||
        threads > kMaxThreads) {
        return UsageError{"invalid --threads '" + std::string(value) +
                          "': expected a whole number from 1 to " + std::to_string(kMaxThreads)};
    }
    options.threads = threads;
    return std::nullopt;
}

Applied applyProperties(std::string_view, std::string_view value, CliOptions& options) {
    if (value.empty()) {
        return UsageError{"option --properties needs a PATH"};
    }
    options.propertiesPath = std::string(value);
    return std::nullopt;
}

Applied applyHelp(std::string_view, std::string_view, CliOptions& options) {
    options.help = true;
    return std::nullopt;
}

Applied applyVersion(std::string_view, std::string_view, CliOptions& options) {
    options.version = true;
    return std::nullopt;
}

// Every option, in the order the help lists them.
const std::vector<CliOption>& cliOptionTable() {
    static const std::vector<CliOption> kOptions = {
        {"-n", "--name", "TEXT", applyName,
         R"(the name text: "report" finds names whose part before the first
dot contains report; "rep*" names that start with rep; "*.txt"
files whose text after the first dot is txt; "*.ht*" files whose
text after the first dot starts with ht. A dot in TEXT lists no
folders. Empty (the default) finds every file and folder.)"},
        {"", "--no-subdirs", "", applyNoSubDirs, "examine only FOLDER's own entries"},
        {"", "--case-sensitive", "", applyCaseSensitive,
         "the name and extension tests compare letter case"},
        {"", "--size", "REL:N", applySize,
         R"(REL is at-least, at-most or equal; N a whole number of KB (0 or
more). The size in KB is 0 for an empty file, else bytes/1024+1;
at-least admits sizes above N, at-most below N. Folders are not
listed while a size or type condition is on.)"},
        {"", "--type", "TYPE", applyType,
         "files whose text after the first dot is TYPE, one of:\n" + joined(typeExtensions(), " ") +
             "\nor files of a kind, as their name's MIME type says:\n" + joined(kindWords(), " ")},
        {"", "--created", "N[d|m]", applyCreated,
         "created in the last N days (d, the default unit) or 30-day months (m)"},
        {"", "--modified", "N[d|m]", applyModified,
         "modified in the last N days or months (one of --created, --modified)"},
        {"", "--containing", "TEXT", applyContaining,
         R"(files whose contents hold TEXT, a literal text found anywhere in
the file; letter case as the name test compares it (Unicode case
folding unless --case-sensitive). Only regular files are read,
after every other test holds; links are never followed. Office
documents (.odt .ods .odp .docx .xlsx .pptx and their templates)
and PDFs are searched in the text their readers show, not their
bytes; encrypted or broken ones cannot be read. Of other files,
one whose first 64 KiB hold a NUL byte is binary and is passed
over; one that starts with a UTF-16 byte-order mark is read as
the text it holds. Folders are not listed. Files that cannot be
read are counted on standard error.)"},
        {"", "--binary", "", applyBinary, "with --containing, read binary files too"},
        {"", "--exclude", "PATTERN", applyExclude,
         R"(leave out entries matching PATTERN, a shell glob (* ? [...]):
neither listed nor entered. Matched against the name, or, when it
holds a /, against the path below FOLDER (* and ? then match no /);
a trailing / leaves out folders only. Letter case counts. May be
given more than once.)"},
        {"", "--one-file-system", "", applyOneFileSystem,
         "list folders on other file systems than FOLDER's, but do not enter them"},
        {"", "--format", "FORMAT", applyFormat,
         R"(tsv (default): name, path, size text, type, creation, last write,
  tab-separated, one row a line; in names and paths \ tab LF CR are
  written \\ \t \n \r and a byte that is not UTF-8 as \xHH.
json: one object a line with name, path, size (bytes), size_text,
  type, created, last_write, created_epoch, last_write_epoch; in a
  name or path that is not valid UTF-8 each bad byte shows as
  U+FFFD and the exact bytes follow in hex as name_hex or path_hex.
null: each path alone, then a NUL byte, bytes unchanged.
An entry of a folder that can be read but not entered is listed
  with empty size and time texts (json: null numbers).)"},
        {"", "--sort", "KEY[:desc]", applySort,
         R"(after the walk, print all folders, then all files, each sorted
stably by KEY (name, path, size, type, created, modified),
ascending, or descending with :desc. Texts compare ignoring
the case of A-Z; sizes and times compare as numbers.)"},
        {"", "--progress", "", applyProgress,
         "write every progress title to standard error as the walk makes it"},
        {"", "--threads", "N", applyThreads,
         R"(threads the walk uses: 1 walks alone; more read folders and
describe entries ahead of it, with the same output. Default: chosen
for the machine)"},
        {"", "--properties", "PATH", applyProperties,
         R"(print the properties report of PATH instead of searching: its
type, location, size and the files and folders it contains
(links counted as files, never followed), on four lines)"},
        {"-h", "--help", "", applyHelp, "show this text"},
        {"", "--version", "", applyVersion, "show the version"},
    };
    return kOptions;
}

const CliOption* findOption(std::string_view name) {
    for (const CliOption& option : cliOptionTable()) {
        if (name == option.longName || (!option.shortName.empty() && name == option.shortName)) {
            return &option;
        }
    }
    return nullptr;
}

UsageError unknownOption(std::string_view arg) {
    std::vector<std::string> names;
    for (const CliOption& option : cliOptionTable()) {
        names.push_back(option.shortName.empty()
                            ? std::string(option.longName)
                            : std::string(option.shortName) + "/" + std::string(option.longName));
    }
    return UsageError{"unknown option '" + std::string(arg) +
                      "'; valid options: " + joined(names, ", ")};
}

// "  -n, --name TEXT" or "      --size REL:N", padded to the help column,
// then the help text with its later lines indented to that column.
void appendHelpEntry(std::string& out, std::string_view names, std::string_view help) {
    std::string head = "  ";
    head.append(names);
    head.append(head.size() < kHelpColumn ? kHelpColumn - head.size() : 1, ' ');
    out.append(head);
    for (std::size_t start = 0;;) {
        const std::size_t end = help.find('\n', start);
        out.append(help.substr(start, end - start)).push_back('\n');
        if (end == std::string_view::npos) {
            return;
        }
        out.append(kHelpColumn, ' ');
        start = end + 1;
    }
}

}  // namespace

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
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        const CliOption* option = findOption(name);
        if (option == nullptr || (option->argument.empty() && value)) {
            return unknownOption(arg);
        }
        if (!option->argument.empty() && !value) {
            if (i + 1 == args.size()) {
                return UsageError{"option " + std::string(name) + " needs a value"};
            }
            value = args[++i];
        }
        if (auto error = option->apply(name, value.value_or(std::string_view()), options)) {
            return *error;
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
    std::string text =
        "Usage: zandor-find [OPTIONS] [FOLDER]\n"
        "Finds files and folders below FOLDER whose names match, as the Zandor window does.\n"
        "\n";
    appendHelpEntry(text, "FOLDER",
                    "where to look (default: the current directory), used as given");
    for (const CliOption& option : cliOptionTable()) {
        std::string names =
            option.shortName.empty() ? "    " : std::string(option.shortName) + ", ";
        names.append(option.longName);
        if (!option.argument.empty()) {
            names.append(" ").append(option.argument);
        }
        appendHelpEntry(text, names, option.help);
    }
    text +=
        "\n"
        "Rows go to standard output in the order of the walk, a folder before what it holds.\n"
        "Symbolic links are listed, never followed. The completion line goes to standard error.\n"
        "Exit status: 0 the search ran; 1 FOLDER cannot be read or the output cannot be written;\n"
        "2 usage error; 130 stopped by Ctrl-C (143 by SIGTERM).\n";
    return text;
}

}  // namespace zandor
