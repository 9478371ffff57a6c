// How the results pane speaks to the user: message boxes with an OK button,
// questions answered Yes or No, the choice of a program to open items
// with, and the file dialog that names a file to save. Tests put recorders
// in their place.
#pragma once

#include <QMessageBox>
#include <functional>
#include <optional>

#include "platform/shell_apps.h"

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
    // The program the user picks from those the desktop shows; nothing when
    // the choice is cancelled.
    std::function<std::optional<DesktopProgram>(QWidget* owner)> chooseProgram;
    // The name of a file to save to, or empty when the user cancelled. The
    // caller asks before replacing a file that exists.
    std::function<QString(QWidget* owner, const QString& caption)> saveFileName;
};

// Modal message boxes, the program chooser and file dialogs.
PanePrompts messageBoxPrompts();

}  // namespace zandor
