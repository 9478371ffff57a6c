#include "platform/fs_path.h"

namespace zandor {

bool isBelowAny(std::string_view path, const PathSet& items) {
    std::size_t end = path.size();
    while (end > 1) {
        const std::size_t slash = path.rfind('/', end - 1);
        if (slash == std::string_view::npos) {
            return false;
        }
        // The folder that holds "/a" is "/" itself.
        const std::string_view folder = path.substr(0, slash == 0 ? 1 : slash);
        if (folder.size() < path.size() && items.contains(folder)) {
            return true;
        }
        end = slash;
    }
    return false;
}

}  // namespace zandor
