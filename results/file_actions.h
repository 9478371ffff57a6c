// What the results pane asks of the desktop for items, by their raw paths:
// open them with the program registered for their type or with one the user
// chose, or delete one for good when it cannot go to the Trash (moving to the
// Trash is platform/shell_trash.h).
#pragma once

#include <string>
#include <vector>

#include "platform/result.h"

namespace zandor {

// Starts the program the desktop registers for the item's type; the error
// says why none could be (no program for the type, it failed to start).
Result<void> openWithDefaultHandler(const std::string& path);

// Starts the program of this desktop file id once, on all the items.
Result<void> openWithProgram(const std::string& programId, const std::vector<std::string>& paths);

// Deletes the item, a folder with everything below it, links not followed.
Result<void> deletePermanently(const std::string& path);

}  // namespace zandor
