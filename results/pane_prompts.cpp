#include "results/pane_prompts.h"

#include "results/program_chooser.h"

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
    prompts.chooseProgram = [](QWidget* owner) -> std::optional<DesktopProgram> {
        ProgramChooser chooser(allPrograms(), owner);
        if (chooser.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return chooser.chosen();
    };
    return prompts;
}

}  // namespace zandor
