// What the results pane asks of the desktop for one item, by its raw path:
// open it with the default handler, and move it to the trash or, failing
// that, delete it for good.
#pragma once

#include <QString>
#include <QUrl>
#include <string>

namespace zandor {

// A file URL that carries the path's bytes exactly, also when they are not
// valid UTF-8 (such bytes stay percent-encoded).
QUrl FileUrlOf(const std::string& path);

// Hands the item to the desktop's default handler; the outcome is not
// examined, as a desktop shows its own errors.
void OpenWithDefaultHandler(const std::string& path);

struct TrashOutcome {
    bool trashed = false;
    bool vanished = false;  // there was no item to trash
    QString reason;         // why it was not trashed
};

// Moves the item to the freedesktop Trash of its file system.
TrashOutcome MoveItemToTrash(const std::string& path);

// Deletes the item, a folder with everything below it, links not followed.
// Empty on success, else why not.
QString DeletePermanently(const std::string& path);

}  // namespace zandor
