// Stand-ins for the results pane's message boxes: every message recorded,
// every question answered from a prepared list. Window and pane tests share them.
#pragma once

#include <QList>
#include <QMessageBox>
#include <QStringList>

#include "results/pane_prompts.h"

namespace zandor::test {

struct Message {
    QString caption;
    QString text;
    QMessageBox::Icon icon;
};

// Records every message, answers every question from a prepared list, and
// names the files to save to from another.
struct Prompts {
    QList<Message> messages;
    QStringList questions;
    QList<bool> answers;
    QList<QMessageBox::StandardButton> defaults;
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
        prompts.saveFileName = [this](QWidget*, const QString& caption) {
            saveCaptions << caption;
            return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
        };
        return prompts;
    }
};

}  // namespace zandor::test
