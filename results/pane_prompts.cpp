#include "results/pane_prompts.h"

namespace zandor {

PanePrompts messageBoxPrompts() {
    PanePrompts prompts;
    prompts.message = [](QWidget* owner, const QString& caption, const QString& text,
                         QMessageBox::Icon icon) {
        QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
        box.exec();
    };
    prompts.ask = [](QWidget* owner, const QString& caption, const QString& text,
                     QMessageBox::StandardButton defaultButton) {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                        owner);
        box.setDefaultButton(defaultButton);
        return box.exec() == QMessageBox::Yes;
    };
    return prompts;
}

}  // namespace zandor
