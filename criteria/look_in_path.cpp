#include "criteria/look_in_path.h"

namespace zandor {

std::string expandHomePrefix(std::string_view typed, std::string_view home) {
    if (typed.empty() || typed[0] != '~' || home.empty()) {
        return std::string(typed);
    }
    if (typed.size() == 1) {
        return std::string(home);
    }
    if (typed[1] != '/') {
        return std::string(typed);
    }
    std::string path(home);
    std::string_view rest = typed.substr(1);
    // One separator between the home folder and the rest, never two.
    if (path.back() == '/') {
        rest.remove_prefix(1);
    }
    path += rest;
    return path;
}

}  // namespace zandor
