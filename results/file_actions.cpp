#include "results/file_actions.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <cerrno>
#include <filesystem>

#include "results/path_mime_data.h"

namespace zandor {

QUrl fileUrlOf(const std::string& path) {
    return QUrl::fromEncoded(fileUriOf(path));
}

Result<void> openWithDefaultHandler(const std::string& path) {
    if (!QDesktopServices::openUrl(fileUrlOf(path))) {
        return Error{ENOENT,
                     QCoreApplication::translate("zandor::FileActions", "No program could open it")
                         .toStdString()};
    }
    return {};
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
