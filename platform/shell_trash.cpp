#include "platform/shell_trash.h"

#include <gio/gio.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>

namespace zandor {

namespace {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};

// GIO's messages name the item ("Error trashing file /a/b: Permission
// denied"); the caller lists the path itself, so only the reason is kept.
std::string reasonOf(const GError& error, const std::string& path) {
    std::string message = error.message != nullptr ? error.message : "";
    const std::unique_ptr<gchar, GFree> display(g_filename_display_name(path.c_str()));
    const std::string named = std::string(display.get()) + ": ";
    if (const std::size_t at = message.find(named); at != std::string::npos) {
        message.erase(0, at + named.size());
    }
    return message.empty() ? std::string("it could not be moved to the Trash") : message;
}

// The errno value nearest to GIO's reason, so that callers tell reasons
// apart as they do for the other file operations.
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

}  // namespace

Result<void> moveToTrash(const std::string& path) {
    const std::unique_ptr<GFile, GObjectUnref> file(g_file_new_for_path(path.c_str()));
    GError* raw = nullptr;
    if (g_file_trash(file.get(), nullptr, &raw)) {
        return {};
    }
    const std::unique_ptr<GError, GErrorFree> error(raw);
    struct stat st {};
    const bool vanished = ::lstat(path.c_str(), &st) != 0;
    return Error{vanished ? ENOENT : codeOf(*error), reasonOf(*error, path)};
}

}  // namespace zandor
