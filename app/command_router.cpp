#include "app/command_router.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace zandor {

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
    Q_EMIT activePaneChanged(pane);
}

bool CommandRouter::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::FocusIn) && watched->isWidgetType()) {
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
