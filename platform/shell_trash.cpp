#include "platform/shell_trash.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/shell_gio.h"

namespace zandor {

Result<void> moveToTrash(const std::string& path) {
    const gio::Owned<GFile> file(g_file_new_for_path(path.c_str()));
    GError* raw = nullptr;
    if (g_file_trash(file.get(), nullptr, &raw)) {
        return {};
    }
    Error error = gio::takeError(raw, path, "it could not be moved to the Trash");
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        error.code = ENOENT;
    }
    return error;
}

}  // namespace zandor
