#include "app/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include "app/command_keys.h"
#include "app/command_router.h"
#include "app/lock_key_indicators.h"
#include "app/mnemonic_guard.h"
#include "app/result_commands.h"
#include "app/search_controller.h"
#include "criteria/left_view.h"
#include "results/right_view.h"

namespace zandor {

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(tr("Untitled - Zandor"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/zandor.svg")));
    m_actions = createFrameActions(this);
    createPanes();
    createBars();
    m_router =
        std::make_unique<CommandRouter>(m_pLeftView, m_pRightView, m_actions.resultsPaneOnly());
    m_search = std::make_unique<SearchController>(*m_pLeftView, *m_pRightView, *this, m_live);
    connectCommands();
    m_search->setStatusLine([ready = findChild<QLabel*>(QStringLiteral("readyMessage"))](
                                const QString& text) { ready->setText(text); });
    m_pLeftView->setFocus();  // the criteria form is the active pane at start
}

CMainFrame::~CMainFrame() {
    // The worker hands rows and titles to the panes: it ends before they go.
    m_search.reset();
    m_router.reset();
}

void CMainFrame::createPanes() {
    m_wndSplitter = new QSplitter(Qt::Horizontal, this);
    m_wndSplitter->setObjectName(QStringLiteral("splitter"));
    m_wndSplitter->setChildrenCollapsible(false);
    m_pLeftView = new CLeftView(m_live, m_wndSplitter);
    m_pRightView = new CRightView(m_wndSplitter);
    m_wndSplitter->addWidget(m_pLeftView);
    m_wndSplitter->addWidget(m_pRightView);
    m_wndSplitter->setStretchFactor(0, 0);
    m_wndSplitter->setStretchFactor(1, 1);
    // The form starts as wide as its widest text needs, title included.
    m_wndSplitter->setSizes({m_pLeftView->sizeHint().width(), 1000});
    setCentralWidget(m_wndSplitter);
}

void CMainFrame::createBars() {
    buildMenuBar(menuBar(), m_actions);
    m_wndToolBar = new QToolBar(tr("Toolbar"), this);
    m_wndToolBar->setObjectName(QStringLiteral("toolBar"));
    m_wndToolBar->setMovable(true);
    m_wndToolBar->setFloatable(true);
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    buildToolBar(m_wndToolBar, m_actions);
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);

    QStatusBar* bar = statusBar();
    // "Ready" sits under the temporary messages: a command's status text
    // covers it while the command is highlighted, and it shows again after.
    auto* ready = new QLabel(tr("Ready"), bar);
    ready->setObjectName(QStringLiteral("readyMessage"));
    bar->addWidget(ready, 1);
    // How many rows the filter lets through, while one is on.
    auto* shown = new QLabel(bar);
    shown->setObjectName(QStringLiteral("filterStatus"));
    shown->hide();
    bar->addWidget(shown);
    connect(m_pRightView, &CRightView::filterStatusChanged, shown, [this, shown] {
        const QString status = m_pRightView->filterStatus();
        shown->setText(status);
        shown->setVisible(!status.isEmpty());
    });
    new LockKeyIndicators(bar);
}

void CMainFrame::connectCommands() {
    const FrameActions& a = m_actions;
    connect(a.exit, &QAction::triggered, this, &CMainFrame::onExit);
    connect(a.statusBar, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
    for (const auto* group : {&a.views, &a.contextViews}) {
        for (QAction* action : *group) {
            connect(action, &QAction::triggered, this, [this, action] {
                if (const std::optional<ViewType> type = viewTypeOfCommand(commandIdOf(action))) {
                    m_pRightView->OnViewMode(*type);
                }
            });
        }
    }
    for (const auto* group : {&a.sorts, &a.contextSorts}) {
        for (QAction* action : *group) {
            connect(action, &QAction::triggered, this, [this, action] {
                if (const std::optional<SortKey> key = sortKeyOfCommand(commandIdOf(action))) {
                    m_pRightView->OnSort(*key);
                }
            });
        }
    }
    connectResultCommands(a, *m_pRightView);
    addActions({a.open, a.openContainingFolder, a.rename, a.deleteItems, a.properties, a.selectAll,
                a.invertSelection, a.selectPage, a.saveResults});
    // Ctrl+F reaches the results' filter from any control of the window.
    auto* filterKey = new QShortcut(QKeySequence::Find, this);
    filterKey->setContext(Qt::WindowShortcut);
    connect(filterKey, &QShortcut::activated, m_pRightView, &CRightView::focusFilter);
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    menuKey->setContext(Qt::WindowShortcut);
    connect(menuKey, &QShortcut::activated, this, &CMainFrame::openMenuBar);
    new MnemonicGuard(this);
}

void CMainFrame::keyPressEvent(QKeyEvent* event) {
    // Esc is the Stop command, which only the criteria form handles. It is
    // no shortcut: an open list, popup or name editor takes its Esc and only
    // closes, and what reaches the window here is what no control used.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        onStopKey();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void CMainFrame::openMenuBar() {
    const QList<QAction*> menus = menuBar()->actions();
    if (!menus.isEmpty()) {
        menuBar()->setActiveAction(menus.front());
    }
}

void CMainFrame::onStopKey() {
    if (m_router->activePane() == Pane::Criteria) {
        m_search->OnStop();
    }
}

void CMainFrame::onExit() {
    m_search->shutdown();
    QApplication::exit(0);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    m_search->shutdown();
    event->accept();
    QApplication::exit(0);
}

}  // namespace zandor
