#include "app/command_router.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QWidget>

namespace zandor {

namespace {

// A click makes a pane active, and so does the keyboard focus moved into it
// by the user (Tab, a mnemonic). Focus that Qt moves by itself, when a
// focused button is disabled for instance, leaves the active pane as it is.
bool userActivation(const QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        return true;
    }
    if (event->type() != QEvent::FocusIn) {
        return false;
    }
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

}  // namespace

CommandRouter::CommandRouter(QWidget* criteriaPane, QWidget* resultsPane,
                             std::vector<QAction*> resultsOnly, QObject* parent)
    : QObject(parent),
      m_criteria(criteriaPane),
      m_results(resultsPane),
      m_resultsOnly(std::move(resultsOnly)) {
    // A click anywhere in a pane, or the keyboard focus arriving in it, makes
    // it the active pane; watching the application catches both for every
    // control inside the panes.
    qApp->installEventFilter(this);
    updateActions();
}

void CommandRouter::setActivePane(Pane pane) {
    if (pane == m_active) {
        return;
    }
    m_active = pane;
    updateActions();
}

bool CommandRouter::eventFilter(QObject* watched, QEvent* event) {
    if (userActivation(event) && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (m_criteria != nullptr && (widget == m_criteria || m_criteria->isAncestorOf(widget))) {
            setActivePane(Pane::Criteria);
        } else if (m_results != nullptr &&
                   (widget == m_results || m_results->isAncestorOf(widget))) {
            setActivePane(Pane::Results);
        }
    }
    return QObject::eventFilter(watched, event);
}

void CommandRouter::updateActions() {
    for (QAction* action : m_resultsOnly) {
        action->setEnabled(m_active == Pane::Results);
    }
}

}  // namespace zandor
