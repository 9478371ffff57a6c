// The command line of zandor-find, parsed into what a search needs. One
// table of the options drives both the parser and the help text.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/row_writer.h"
#include "results/row_compare.h"
#include "search/live_conditions.h"

namespace zandor {

struct CliOptions {
    std::string folder = ".";
    std::string name;
    bool caseSensitive = false;
    bool progress = false;
    unsigned threads = 0;  // --threads N; 0: chosen for the machine
    OutputFormat format = OutputFormat::Tsv;
    LiveConditions conditions;          // sub-folders, size, type, date and containing text
    std::vector<std::string> leaveOut;  // --exclude PATTERN, each in the order given
    bool stayOnDisk = false;            // --one-file-system
    // --sort KEY[:desc]: rows printed after the walk, folders then files.
    std::optional<SortKey> sortKey;
    bool sortDescending = false;
    // --properties PATH: print the properties report of PATH instead of searching.
    std::optional<std::string> propertiesPath;
    bool help = false;
    bool version = false;
};

struct UsageError {
    std::string message;  // names the bad argument and the valid choices
};

std::variant<CliOptions, UsageError> parseCliOptions(const std::vector<std::string>& args);

// The text of --help: the usage, each option on a line that starts with its
// names (-n, --name), and what the output and the exit status are.
std::string cliHelpText();

}  // namespace zandor
