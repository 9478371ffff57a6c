// How the results pane speaks to the user: message boxes with an OK button,
// questions answered Yes or No, and the file dialog that names a file to
// save. Tests put recorders in their place.
#pragma once

#include <QMessageBox>
#include <functional>

namespace zandor {

struct PanePrompts {
    // A message owned by the pane, with only an OK button and the icon given.
    std::function<void(QWidget* owner, const QString& caption, const QString& text,
                       QMessageBox::Icon icon)>
        message;
    // A question answered Yes or No, with the button that Enter presses;
    // true when the user answers Yes.
    std::function<bool(QWidget* owner, const QString& caption, const QString& text,
                       QMessageBox::StandardButton defaultButton)>
        ask;
    // The name of a file to save to, or empty when the user cancelled. The
    // caller asks before replacing a file that exists.
    std::function<QString(QWidget* owner, const QString& caption)> saveFileName;
};

// Modal message boxes and file dialogs.
PanePrompts messageBoxPrompts();

}  // namespace zandor
