// Moving an item to the freedesktop Trash through GIO, the reference
// implementation of its rules: the home trash for the home file system,
// $topdir/.Trash/$uid or $topdir/.Trash-$uid for others, Path= percent-encoded,
// an info file never overwritten, and a link trashed as the link itself.
#pragma once

#include <string>

namespace zandor {

struct TrashOutcome {
    enum class Kind { Trashed, Vanished, Refused };
    Kind kind = Kind::Refused;
    std::string reason;  // why not, as GIO tells it, for Vanished and Refused

    bool gone() const { return kind != Kind::Refused; }
};

// Moves the item at path (raw bytes, never followed when it is a link) to
// the trash of its file system. Vanished: there was no item at path.
TrashOutcome moveToTrash(const std::string& path);

}  // namespace zandor
