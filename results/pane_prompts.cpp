#include "results/pane_prompts.h"

#include <QCoreApplication>
#include <QFileDialog>
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
    prompts.saveFileName = [](QWidget* owner, const QString& caption) {
        const QString filters =
            QCoreApplication::translate("zandor::PanePrompts",
                                        "Tab-separated text (*.tsv *.txt);;CSV (*.csv);;"
                                        "All files (*)");
        // The question before replacing is the caller's, asked once.
        return QFileDialog::getSaveFileName(owner, caption, QString(), filters, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    };
    return prompts;
}

}  // namespace zandor
