// Moving an item to the freedesktop Trash through GIO, the reference
// implementation of its rules: the home trash for the home file system,
// $topdir/.Trash/$uid or $topdir/.Trash-$uid for others, Path= percent-encoded,
// an info file never overwritten, and a link trashed as the link itself.
#pragma once

#include <string>

#include "platform/result.h"

namespace zandor {

// Moves the item at path (raw bytes, never followed when it is a link) to
// the trash of its file system. The error's code is ENOENT when there was no
// item at path; any other error leaves the item where it is, and its message
// says why, as GIO tells it but without the path.
Result<void> moveToTrash(const std::string& path);

}  // namespace zandor
