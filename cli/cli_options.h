// The command line of zandor-find, parsed into what a search needs.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include <optional>

#include "cli/row_writer.h"
#include "results/row_compare.h"
#include "search/live_conditions.h"

namespace zandor {

struct CliOptions {
    std::string folder = ".";
    std::string name;
    bool caseSensitive = false;
    bool progress = false;
    OutputFormat format = OutputFormat::Tsv;
    LiveConditions conditions;  // sub-folders, size, type and date
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

std::string cliHelpText();

// The types the type condition knows, by extension.
const std::vector<std::string>& knownTypeExtensions();

}  // namespace zandor
