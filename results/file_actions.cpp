#include "results/file_actions.h"

#include <filesystem>

#include "platform/shell_apps.h"
#include "results/path_mime_data.h"

namespace zandor {

namespace {

// The URI carries the path's bytes exactly, also those that are not UTF-8.
std::string uriOf(const std::string& path) {
    return fileUriOf(path).toStdString();
}

}  // namespace

Result<void> openWithDefaultHandler(const std::string& path) {
    return launchDefaultFor(uriOf(path));
}

Result<void> openWithProgram(const std::string& programId, const std::vector<std::string>& paths) {
    std::vector<std::string> uris;
    uris.reserve(paths.size());
    for (const std::string& path : paths) {
        uris.push_back(uriOf(path));
    }
    return launchProgram(programId, uris);
}

Result<void> deletePermanently(const std::string& path) {
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(path), error);
    if (error) {
        return Error{error.value(), error.message()};
    }
    return {};
}

}  // namespace zandor
