// The window's language: its own catalogue and Qt's catalogue for the
// standard dialogs and buttons, chosen as the C library chooses the language
// of messages.
#pragma once

class QCoreApplication;

namespace zandor {

// Installs the catalogues of the user's language into application; with the
// "C" or "POSIX" locale, or a language without a catalogue, the texts stay
// in English exactly. Returns whether the window's own catalogue was found.
bool installTranslations(QCoreApplication& application);

}  // namespace zandor
