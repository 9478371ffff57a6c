// Tests of the zandor-find command line: what each option sets, and the usage
// errors, each of which must name what was wrong.
#include "cli/cli_options.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace zandor {
namespace {

using Args = std::vector<std::string>;
using ::testing::HasSubstr;

std::string joined(const Args& args) {
    std::string text;
    for (const auto& arg : args) {
        text.append(text.empty() ? "" : " ").append("[" + arg + "]");
    }
    return text;
}

// The options parsed from args; a failure (and defaults) when they are refused.
CliOptions parsed(const Args& args) {
    auto parsed = parseCliOptions(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        ADD_FAILURE() << joined(args) << " refused: " << error->message;
        return CliOptions{};
    }
    return std::get<CliOptions>(parsed);
}

// The conditions of a command line with no options, to compare the rest against.
void expectNoConditions(const LiveConditions& c) {
    EXPECT_FALSE(c.m_bSizeFilter);
    EXPECT_FALSE(c.m_bTypeFilter);
    EXPECT_FALSE(c.m_bDateFilter);
    EXPECT_TRUE(c.m_bIncludeSubDirs);
}

TEST(CliOptionsParse, DefaultsWithoutArguments) {
    const CliOptions options = parsed({});
    EXPECT_EQ(options.folder, ".");
    EXPECT_EQ(options.name, "");
    EXPECT_FALSE(options.caseSensitive);
    EXPECT_FALSE(options.progress);
    EXPECT_EQ(options.format, OutputFormat::Tsv);
    EXPECT_FALSE(options.help);
    EXPECT_FALSE(options.version);
    expectNoConditions(options.conditions);
}

TEST(CliOptionsParse, SizeSetsRelationAndKilobytes) {
    const struct {
        Args args;
        SizeRelation relation;
        std::int64_t kb;
    } cases[] = {
        {{"--size", "at-least:10"}, SizeRelation::AtLeast, 10},
        {{"--size", "at-most:1"}, SizeRelation::AtMost, 1},
        {{"--size", "equal:2"}, SizeRelation::Equal, 2},
        {{"--size", "at-least:0"}, SizeRelation::AtLeast, 0},
        {{"--size=at-most:123456789012"}, SizeRelation::AtMost, 123456789012},
        {{"--size", "equal:9223372036854775807"}, SizeRelation::Equal, 9223372036854775807},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(joined(c.args));
        const CliOptions options = parsed(c.args);
        EXPECT_TRUE(options.conditions.m_bSizeFilter);
        EXPECT_EQ(options.conditions.m_nSizeRelation, c.relation);
        EXPECT_EQ(options.conditions.m_sizeKB, c.kb);
        EXPECT_FALSE(options.conditions.m_bTypeFilter);
        EXPECT_FALSE(options.conditions.m_bDateFilter);
        EXPECT_TRUE(options.conditions.m_bIncludeSubDirs);
    }
}

TEST(CliOptionsParse, TypeAcceptsEveryKnownExtensionAndKind) {
    for (const std::string ext :
         {"bmp", "c", "h", "c++", "cpp", "hlp", "html", "ico", "java", "rc", "dsp", "dsw", "xml",
          "zip", "documents", "pictures", "music", "videos", "archives"}) {
        for (const Args& args : {Args{"--type", ext}, Args{"--type=" + ext}}) {
            SCOPED_TRACE(joined(args));
            const CliOptions options = parsed(args);
            EXPECT_TRUE(options.conditions.m_bTypeFilter);
            EXPECT_EQ(options.conditions.m_strTypeExt, ext);
            EXPECT_FALSE(options.conditions.m_bSizeFilter);
            EXPECT_FALSE(options.conditions.m_bDateFilter);
        }
    }
}

TEST(CliOptionsParse, SortTakesAKeyAndADirection) {
    EXPECT_FALSE(parsed({}).sortKey);
    const struct {
        Args args;
        SortKey key;
        bool descending;
    } cases[] = {
        {{"--sort", "name"}, SortKey::Name, false},
        {{"--sort", "path:asc"}, SortKey::Path, false},
        {{"--sort=size:desc"}, SortKey::Size, true},
        {{"--sort", "type"}, SortKey::Type, false},
        {{"--sort", "created:desc"}, SortKey::Created, true},
        {{"--sort", "modified"}, SortKey::LastWrite, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(joined(c.args));
        const CliOptions options = parsed(c.args);
        ASSERT_TRUE(options.sortKey);
        EXPECT_EQ(*options.sortKey, c.key);
        EXPECT_EQ(options.sortDescending, c.descending);
    }
}

TEST(CliOptionsParse, TypeCPlusPlus) {
    const CliOptions options = parsed({"--type", "c++"});
    EXPECT_TRUE(options.conditions.m_bTypeFilter);
    EXPECT_EQ(options.conditions.m_strTypeExt, "c++");
}

TEST(CliOptionsParse, DatesSetKindUnitAndNumber) {
    const struct {
        Args args;
        DateKind kind;
        bool days;
        std::int64_t nDays;
        std::int64_t nMonths;
    } cases[] = {
        {{"--created", "3"}, DateKind::Created, true, 3, 0},
        {{"--created", "4d"}, DateKind::Created, true, 4, 0},
        {{"--created", "5m"}, DateKind::Created, false, 0, 5},
        {{"--created=0"}, DateKind::Created, true, 0, 0},
        {{"--modified", "2m"}, DateKind::Modified, false, 0, 2},
        {{"--modified", "7"}, DateKind::Modified, true, 7, 0},
        {{"--modified=30d"}, DateKind::Modified, true, 30, 0},
        // The same option again replaces the value and the unit.
        {{"--created", "3", "--created", "2m"}, DateKind::Created, false, 3, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(joined(c.args));
        const CliOptions options = parsed(c.args);
        EXPECT_TRUE(options.conditions.m_bDateFilter);
        EXPECT_EQ(options.conditions.m_dateKind, c.kind);
        EXPECT_EQ(options.conditions.m_daysChecked, c.days);
        EXPECT_EQ(options.conditions.m_days, c.nDays);
        EXPECT_EQ(options.conditions.m_months, c.nMonths);
        EXPECT_FALSE(options.conditions.m_bSizeFilter);
        EXPECT_FALSE(options.conditions.m_bTypeFilter);
    }
}

TEST(CliOptionsParse, FlagsAndFormats) {
    {
        const CliOptions options = parsed({"--no-subdirs"});
        EXPECT_FALSE(options.conditions.m_bIncludeSubDirs);
        EXPECT_FALSE(options.caseSensitive);
    }
    EXPECT_TRUE(parsed({"--case-sensitive"}).caseSensitive);
    EXPECT_TRUE(parsed({"--progress"}).progress);
    EXPECT_TRUE(parsed({"-h"}).help);
    EXPECT_TRUE(parsed({"--help"}).help);
    EXPECT_TRUE(parsed({"--version"}).version);
    EXPECT_FALSE(parsed({"--help"}).version);
    EXPECT_FALSE(parsed({"--version"}).help);

    const struct {
        Args args;
        OutputFormat format;
    } formats[] = {
        {{"--format", "tsv"}, OutputFormat::Tsv},
        {{"--format", "json"}, OutputFormat::Json},
        {{"--format", "null"}, OutputFormat::Null},
        {{"--format=json"}, OutputFormat::Json},
        {{"--format=null"}, OutputFormat::Null},
        {{"--format", "null", "--format", "json"}, OutputFormat::Json},
    };
    for (const auto& c : formats) {
        EXPECT_EQ(parsed(c.args).format, c.format) << joined(c.args);
    }
}

TEST(CliOptionsParse, ContentsLeaveOutAndOneFileSystem) {
    const CliOptions options = parsed({"--containing", "two words", "--binary", "--exclude", ".git",
                                       "--exclude=build/*", "--one-file-system"});
    EXPECT_EQ(options.conditions.m_strContaining, "two words");
    EXPECT_TRUE(options.conditions.m_bIncludeBinary);
    EXPECT_EQ(options.leaveOut, (std::vector<std::string>{".git", "build/*"}));
    EXPECT_TRUE(options.stayOnDisk);
    const CliOptions plain = parsed({});
    EXPECT_TRUE(plain.conditions.m_strContaining.empty());
    EXPECT_FALSE(plain.conditions.m_bIncludeBinary);
    EXPECT_TRUE(plain.leaveOut.empty());
    EXPECT_FALSE(plain.stayOnDisk);
    for (const Args& args : {Args{"--containing", ""}, Args{"--exclude="}, Args{"--containing"},
                             Args{"--binary=yes"}}) {
        EXPECT_TRUE(std::holds_alternative<UsageError>(parseCliOptions(args))) << joined(args);
    }
}

TEST(CliOptionsParse, NameAndFolderForms) {
    const struct {
        Args args;
        std::string name;
        std::string folder;
    } cases[] = {
        {{"-n", "report"}, "report", "."},
        {{"--name", "rep*"}, "rep*", "."},
        {{"--name=*.txt"}, "*.txt", "."},
        {{"--name="}, "", "."},
        {{"--name=a=b"}, "a=b", "."},
        {{"--name", "-dash"}, "-dash", "."},
        {{"--name", "x y", "/some/dir"}, "x y", "/some/dir"},
        {{"/some/dir", "--name", "z"}, "z", "/some/dir"},
        {{"relative/dir"}, "", "relative/dir"},
        {{"-"}, "", "-"},
        {{"--", "-odd"}, "", "-odd"},
        {{"--", "--name"}, "", "--name"},
        {{"-n", "--", "dir"}, "--", "dir"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(joined(c.args));
        const CliOptions options = parsed(c.args);
        EXPECT_EQ(options.name, c.name);
        EXPECT_EQ(options.folder, c.folder);
    }
}

TEST(CliOptionsParse, ThreadsDefaultToTheWalksOwnChoice) {
    EXPECT_EQ(parsed({}).threads, 0U);
    EXPECT_EQ(parsed({"--threads", "1"}).threads, 1U);
    EXPECT_EQ(parsed({"--threads=256"}).threads, 256U);
}

TEST(CliOptionsParse, DoubleDashEndsOptions) {
    const CliOptions options = parsed({"--progress", "--", "--no-subdirs"});
    EXPECT_TRUE(options.progress);
    EXPECT_EQ(options.folder, "--no-subdirs");
    EXPECT_TRUE(options.conditions.m_bIncludeSubDirs);
}

TEST(CliOptionsParse, OptionsCombine) {
    const CliOptions options =
        parsed({"-n", "*.cpp", "--no-subdirs", "--case-sensitive", "--size", "at-most:4", "--type",
                "cpp", "--modified", "2m", "--format", "json", "--progress", "src"});
    EXPECT_EQ(options.name, "*.cpp");
    EXPECT_EQ(options.folder, "src");
    EXPECT_TRUE(options.caseSensitive);
    EXPECT_TRUE(options.progress);
    EXPECT_EQ(options.format, OutputFormat::Json);
    const LiveConditions& c = options.conditions;
    EXPECT_FALSE(c.m_bIncludeSubDirs);
    EXPECT_TRUE(c.m_bSizeFilter);
    EXPECT_EQ(c.m_nSizeRelation, SizeRelation::AtMost);
    EXPECT_EQ(c.m_sizeKB, 4);
    EXPECT_TRUE(c.m_bTypeFilter);
    EXPECT_EQ(c.m_strTypeExt, "cpp");
    EXPECT_TRUE(c.m_bDateFilter);
    EXPECT_EQ(c.m_dateKind, DateKind::Modified);
    EXPECT_FALSE(c.m_daysChecked);
    EXPECT_EQ(c.m_months, 2);
}

TEST(CliOptionsUsage, ErrorsNameTheBadArgument) {
    const struct {
        Args args;
        std::vector<std::string> named;  // each must appear in the message
    } cases[] = {
        {{"--bogus"}, {"'--bogus'"}},
        {{"-x"}, {"'-x'"}},
        {{"--no-subdirs=yes"}, {"--no-subdirs=yes"}},
        {{"--size", "at-least"}, {"'at-least'", "at-most", "equal"}},
        {{"--size", "at-least:-1"}, {"'at-least:-1'"}},
        {{"--size", "big:3"}, {"'big:3'", "at-least"}},
        {{"--size", "at-least:1x"}, {"'at-least:1x'"}},
        {{"--size", "at-least:"}, {"'at-least:'"}},
        {{"--size", "at-least: 1"}, {"'at-least: 1'"}},
        {{"--size", "at-least:+1"}, {"'at-least:+1'"}},
        {{"--size", ":5"}, {"':5'"}},
        {{"--size=equal"}, {"'equal'"}},
        {{"--size", "at-least:99999999999999999999"}, {"'at-least:99999999999999999999'"}},
        {{"--type", "exe"}, {"'exe'", "c++", "cpp", "documents", "archives"}},
        {{"--type", ".cpp"}, {"'.cpp'"}},
        {{"--type", "Pictures"}, {"'Pictures'"}},
        {{"--type", "picture"}, {"'picture'"}},
        {{"--type="}, {"''"}},
        {{"--created", "3", "--modified", "2"}, {"--created", "--modified"}},
        {{"--modified", "1m", "--created", "1"}, {"--created", "--modified"}},
        {{"--created", "x"}, {"--created", "'x'"}},
        {{"--created", "3w"}, {"--created", "'3w'"}},
        {{"--modified", "m"}, {"--modified", "'m'"}},
        {{"--modified", "-1"}, {"--modified", "'-1'"}},
        {{"--format", "xml"}, {"'xml'", "tsv", "json", "null"}},
        {{"--format=TSV"}, {"'TSV'"}},
        {{"--sort", "age"}, {"'age'", "name", "modified"}},
        {{"--sort", "size:down"}, {"'size:down'"}},
        {{"--threads", "0"}, {"'0'", "1 to 256"}},
        {{"--threads", "257"}, {"'257'"}},
        {{"--threads", "2x"}, {"'2x'"}},
        {{"--threads", "-1"}, {"'-1'"}},
        {{"--threads"}, {"--threads"}},
        {{"--size"}, {"--size"}},
        {{"--type"}, {"--type"}},
        {{"--created"}, {"--created"}},
        {{"--format"}, {"--format"}},
        {{"-n"}, {"-n"}},
        {{"--name"}, {"--name"}},
        {{"one", "two"}, {"'one'", "'two'"}},
        {{"one", "--progress", "two"}, {"'one'", "'two'"}},
        {{"--", "one", "two"}, {"'one'", "'two'"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(joined(c.args));
        const auto parsed = parseCliOptions(c.args);
        const auto* error = std::get_if<UsageError>(&parsed);
        ASSERT_NE(error, nullptr);
        for (const auto& named : c.named) {
            EXPECT_THAT(error->message, HasSubstr(named));
        }
    }
}

TEST(CliOptionsProperties, TakesAPathAndRefusesNone) {
    EXPECT_EQ(parsed({"--properties", "/some/where"}).propertiesPath, "/some/where");
    EXPECT_EQ(parsed({"--properties=-odd name"}).propertiesPath, "-odd name");
    EXPECT_FALSE(parsed({"/some/where"}).propertiesPath);
    for (const Args& args : {Args{"--properties"}, Args{"--properties="}}) {
        const auto parsed = parseCliOptions(args);
        const auto* error = std::get_if<UsageError>(&parsed);
        ASSERT_NE(error, nullptr) << joined(args);
        EXPECT_THAT(error->message, HasSubstr("--properties"));
    }
}

// The option names at the start of the help's option lines ("  -n, --name
// TEXT", "      --size REL:N"), each with the argument it shows, if any.
std::vector<std::pair<std::string, std::string>> helpOptions() {
    std::vector<std::pair<std::string, std::string>> options;
    const std::string help = cliHelpText();
    for (std::size_t start = 0; start < help.size();) {
        const std::size_t end = help.find('\n', start);
        const std::string line = help.substr(start, end - start);
        start = end + 1;
        if (!line.starts_with("  -") && !line.starts_with("      --")) {
            continue;
        }
        std::istringstream words(line.substr(0, 24));
        std::string word;
        std::string argument;
        std::vector<std::string> names;
        while (words >> word) {
            if (word.starts_with("-")) {
                names.push_back(word.ends_with(",") ? word.substr(0, word.size() - 1) : word);
            } else {
                argument = word;
            }
        }
        for (const auto& name : names) {
            options.emplace_back(name, argument);
        }
    }
    return options;
}

TEST(CliHelp, ListsEveryOptionAtTheStartOfItsLine) {
    std::vector<std::string> names;
    for (const auto& [name, argument] : helpOptions()) {
        names.push_back(argument.empty() ? name : name + " " + argument);
    }
    EXPECT_EQ(names, (Args{"-n TEXT",          "--name TEXT",       "--no-subdirs",
                           "--case-sensitive", "--size REL:N",      "--type TYPE",
                           "--created N[d|m]", "--modified N[d|m]", "--containing TEXT",
                           "--binary",         "--exclude PATTERN", "--one-file-system",
                           "--format FORMAT",  "--sort KEY[:desc]", "--progress",
                           "--threads N",      "--properties PATH", "-h",
                           "--help",           "--version"}));
}

TEST(CliHelp, EveryOptionItListsIsAccepted) {
    const std::map<std::string, std::string> sampleValue = {
        {"TEXT", "report"}, {"REL:N", "at-most:3"},      {"TYPE", "music"}, {"N[d|m]", "2m"},
        {"FORMAT", "json"}, {"KEY[:desc]", "size:desc"}, {"PATH", "/tmp"},  {"N", "3"},
        {"PATTERN", "*.o"}};
    for (const auto& [name, argument] : helpOptions()) {
        SCOPED_TRACE(name);
        Args args = {name};
        if (!argument.empty()) {
            ASSERT_TRUE(sampleValue.contains(argument)) << argument;
            args.push_back(sampleValue.at(argument));
        }
        const auto result = parseCliOptions(args);
        EXPECT_TRUE(std::holds_alternative<CliOptions>(result));
    }
}

TEST(CliHelp, ListsTheTypesTheTypeConditionKnows) {
    EXPECT_THAT(cliHelpText(),
                HasSubstr("      --type TYPE       files whose text after the first dot is TYPE, "
                          "one of:\n                        bmp c h c++ cpp hlp html ico java rc "
                          "dsp dsw xml zip\n                        or files of a kind, as their "
                          "name's MIME type says:\n                        documents pictures "
                          "music videos archives\n"));
}

TEST(CliOptionsUsage, AnUnknownOptionNamesEveryValidOne) {
    const auto result = parseCliOptions({"--bogus"});
    ASSERT_TRUE(std::holds_alternative<UsageError>(result));
    EXPECT_EQ(std::get<UsageError>(result).message,
              "unknown option '--bogus'; valid options: -n/--name, --no-subdirs, "
              "--case-sensitive, --size, --type, --created, --modified, --containing, "
              "--binary, --exclude, --one-file-system, --format, --sort, "
              "--progress, --threads, --properties, -h/--help, --version");
}

}  // namespace
}  // namespace zandor
