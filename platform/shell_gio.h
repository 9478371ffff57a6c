// What the shell services share about GIO: owners that give GLib memory and
// objects back, and GIO's errors as our own. Only platform/shell_* include it.
#pragma once

#include <gio/gio.h>

#include <memory>
#include <string>

#include "platform/result.h"

namespace zandor::gio {

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct ErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
struct Free {
    void operator()(gpointer memory) const { g_free(memory); }
};

template <typename T>
using Owned = std::unique_ptr<T, ObjectUnref>;
using OwnedString = std::unique_ptr<gchar, Free>;

// The errno value nearest to GIO's reason, so that callers tell reasons
// apart as they do for the other file operations.
int codeOf(const GError& error);

// GIO's message without the item's name where GIO put it in front ("Error
// trashing file /a/b: ", "... for file “/a/b”: "), since the caller lists
// the path itself; fallback when nothing is left.
std::string reasonOf(const GError& error, const std::string& path, const char* fallback);

// Takes ownership of an error GIO set and turns it into ours.
Error takeError(GError* raw, const std::string& path, const char* fallback);

}  // namespace zandor::gio
