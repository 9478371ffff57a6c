// What a typed look-in path names: a leading "~" stands for the home folder,
// as it does in a shell, while the field keeps showing what was typed.
#pragma once

#include <string>
#include <string_view>

namespace zandor {

// "~" alone and "~/..." are taken from home; every other text is returned
// unchanged, "~name" included (another user's home is not looked up).
std::string expandHomePrefix(std::string_view typed, std::string_view home);

}  // namespace zandor
