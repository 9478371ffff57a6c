// Renaming an item within its folder. An existing item is never replaced, and
// a new name that would leave the folder or name no item of its own is
// refused. Names and paths are raw bytes.
#pragma once

#include <string>
#include <string_view>

#include "platform/result.h"

namespace zandor {

// The folder that holds the item at path: the text before the last "/" that
// is not the path's first character. An item directly in "/" lies in "/"; a
// path without such a "/" has no folder (empty).
std::string containingFolder(std::string_view path);

// Whether name can be given to an item in a folder: not empty, not "." or
// "..", and without a "/".
bool isAcceptableName(std::string_view name);

// Gives the item oldName in folder (the current directory when empty) the
// name newName. The error's code is EINVAL for a name that is not
// acceptable, EEXIST when an item already bears newName, else the system's.
Result<void> renameInFolder(const std::string& folder, const std::string& oldName,
                            const std::string& newName);

}  // namespace zandor
