// Stand-ins for the results pane's message boxes and program chooser: every
// message recorded, every question and choice answered from a prepared list. Window and pane tests
// share them.
#pragma once

#include <QList>
#include <QMessageBox>
#include <QStringList>
#include <optional>

#include "results/pane_prompts.h"

namespace zandor::test {

struct Message {
    QString caption;
    QString text;
    QMessageBox::Icon icon;
};

// Records every message and answers every question, every choice of a
// program and every file to save to from prepared lists (no answer: No, no
// program, a cancelled dialog).
struct Prompts {
    QList<Message> messages;
    QStringList questions;
    QList<bool> answers;
    QList<QMessageBox::StandardButton> defaults;
    QList<std::optional<DesktopProgram>> programs;
    int programsAsked = 0;
    QStringList saveNames;  // empty answers a cancelled dialog
    QStringList saveCaptions;

    PanePrompts make() {
        PanePrompts prompts;
        prompts.message = [this](QWidget*, const QString& caption, const QString& body,
                                 QMessageBox::Icon icon) {
            messages << Message{caption, body, icon};
        };
        prompts.ask = [this](QWidget*, const QString&, const QString& question,
                             QMessageBox::StandardButton defaultButton) {
            questions << question;
            defaults << defaultButton;
            return answers.isEmpty() ? false : answers.takeFirst();
        };
        prompts.chooseProgram = [this](QWidget*) -> std::optional<DesktopProgram> {
            ++programsAsked;
            return programs.isEmpty() ? std::nullopt : programs.takeFirst();
        };
        prompts.saveFileName = [this](QWidget*, const QString& caption) {
            saveCaptions << caption;
            return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
        };
        return prompts;
    }
};

}  // namespace zandor::test
