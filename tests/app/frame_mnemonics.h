// The Alt letters a user of the window can press: those of the menu bar, of
// both panes' visible labelled fields and of the form's buttons, upper case
// and sorted, so that tests can check each letter does one thing.
#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QMenuBar>
#include <QStringList>

#include "app/main_frame.h"
#include "criteria/left_view.h"
#include "results/right_view.h"

namespace zandor::test {

inline QStringList frameMnemonics(const CMainFrame& frame) {
    QStringList letters;
    const auto add = [&letters](const QString& text) {
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        if (amp >= 0 && amp + 1 < text.size()) {
            letters << text.at(amp + 1).toUpper();
        }
    };
    for (const QAction* menu : frame.menuBar()->actions()) {
        add(menu->text());
    }
    for (const QWidget* pane :
         {static_cast<QWidget*>(frame.leftView()), static_cast<QWidget*>(frame.rightView())}) {
        for (const QLabel* label : pane->findChildren<QLabel*>()) {
            if (label->isVisible() && label->buddy() != nullptr) {
                add(label->text());
            }
        }
    }
    for (const QAbstractButton* button : frame.leftView()->findChildren<QAbstractButton*>()) {
        if (button->isVisible()) {
            add(button->text());
        }
    }
    letters.sort();
    return letters;
}

}  // namespace zandor::test
