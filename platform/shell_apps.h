// The desktop's programs through GIO: the program registered for an item's
// type, the programs that can open a type, every program a menu may offer,
// and starting one on items. Programs are started and left to run: nothing
// here waits for them.
#pragma once

#include <string>
#include <vector>

#include "platform/result.h"

namespace zandor {

// A program the desktop knows by its desktop file.
struct DesktopProgram {
    std::string id;           // the desktop file's id ("org.gnome.TextEditor.desktop")
    std::string name;         // its name for people, in the locale's language (UTF-8)
    std::string iconName;     // a themed icon's name, or an icon file's path; may be empty
    std::string contentType;  // the type it was found for; empty in allPrograms()
};

// Starts the program the desktop registers for the item's type, on the
// item's URI; the error's message is GIO's reason (no program for the type,
// the program could not be started).
Result<void> launchDefaultFor(const std::string& uri);

// The item's content type as the shared MIME database tells it (by name and
// by content); empty when the item cannot be examined.
std::string contentTypeOf(const std::string& path);

// The programs for the item's type: the registered one first, then the
// others that declare the type, each once.
std::vector<DesktopProgram> programsFor(const std::string& path);

// Every program a menu may show, sorted by name.
std::vector<DesktopProgram> allPrograms();

// Starts the program of this desktop file id once, on all the URIs.
Result<void> launchProgram(const std::string& programId, const std::vector<std::string>& uris);

}  // namespace zandor
