// What the results pane asks of the desktop for one item, by its raw path:
// open it with the default handler, or delete it for good when it cannot go
// to the Trash (moving to the Trash is platform/shell_trash.h).
#pragma once

#include <QUrl>
#include <string>

#include "platform/result.h"

namespace zandor {

// A file URL that carries the path's bytes exactly, also when they are not
// valid UTF-8 (such bytes stay percent-encoded).
QUrl fileUrlOf(const std::string& path);

// Hands the item to the desktop's default handler; an error when no program
// could open it (what the program then does it reports itself).
Result<void> openWithDefaultHandler(const std::string& path);

// Deletes the item, a folder with everything below it, links not followed.
Result<void> deletePermanently(const std::string& path);

}  // namespace zandor
