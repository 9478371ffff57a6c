#include "platform/shell_gio.h"

#include <cerrno>

namespace zandor::gio {

int codeOf(const GError& error) {
    if (error.domain != G_IO_ERROR) {
        return EIO;
    }
    switch (error.code) {
        case G_IO_ERROR_NOT_FOUND:
            return ENOENT;
        case G_IO_ERROR_PERMISSION_DENIED:
            return EACCES;
        case G_IO_ERROR_NO_SPACE:
            return ENOSPC;
        case G_IO_ERROR_READ_ONLY:
            return EROFS;
        case G_IO_ERROR_NOT_SUPPORTED:
            return ENOTSUP;
        default:
            return EIO;
    }
}

std::string reasonOf(const GError& error, const std::string& path, const char* fallback) {
    std::string message = error.message != nullptr ? error.message : "";
    if (!path.empty()) {
        const OwnedString display(g_filename_display_name(path.c_str()));
        const std::string shown(display.get());
        for (const std::string& named : {shown + ": ", shown + "\u201d: "}) {
            if (const std::size_t at = message.find(named); at != std::string::npos) {
                message.erase(0, at + named.size());
                break;
            }
        }
    }
    return message.empty() ? std::string(fallback) : message;
}

Error takeError(GError* raw, const std::string& path, const char* fallback) {
    const std::unique_ptr<GError, ErrorFree> error(raw);
    if (!error) {
        return Error{EIO, fallback};
    }
    return Error{codeOf(*error), reasonOf(*error, path, fallback)};
}

}  // namespace zandor::gio
