// How the results pane speaks to the user: message boxes with an OK button,
// and questions answered Yes or No. Tests put recorders in their place.
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
};

// Modal message boxes.
PanePrompts messageBoxPrompts();

}  // namespace zandor
