#include "results/file_actions.h"

#include <QDesktopServices>
#include <filesystem>

namespace zandor {

QUrl fileUrlOf(const std::string& path) {
    const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
    return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"));
}

void openWithDefaultHandler(const std::string& path) {
    QDesktopServices::openUrl(fileUrlOf(path));
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
