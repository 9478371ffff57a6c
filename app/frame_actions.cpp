#include "app/frame_actions.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "res/command_ids.h"

namespace zandor {

namespace {

// A command's prompt: the status bar text and the toolbar tooltip. Commands
// without one show neither.
struct Prompt {
    const char* status;
    const char* tip;
};

QAction* makeAction(QWidget* owner, const char* text, unsigned id, const char* icon = nullptr,
                    Prompt prompt = {nullptr, nullptr}) {
    auto* action = new QAction(QString::fromUtf8(text), owner);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    action->setProperty("commandId", id);
    if (icon != nullptr) {
        action->setIcon(QIcon(QStringLiteral(":/icons/") + QString::fromLatin1(icon)));
    }
    if (prompt.status != nullptr) {
        action->setStatusTip(QString::fromUtf8(prompt.status));
        action->setToolTip(QString::fromUtf8(prompt.tip));
    }
    action->setProperty("hasTip", prompt.tip != nullptr);
    return action;
}

// Toolbar buttons of commands without a prompt show no tooltip (Qt would
// otherwise show the button's text).
class NoTipFilter final : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            auto* button = qobject_cast<QToolButton*>(watched);
            if (button != nullptr && button->defaultAction() != nullptr &&
                !button->defaultAction()->property("hasTip").toBool()) {
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

unsigned commandIdOf(const QAction* action) {
    return action->property("commandId").toUInt();
}

std::vector<QAction*> FrameActions::resultsPaneOnly() const {
    std::vector<QAction*> only = {open, openContainingFolder};
    only.insert(only.end(), sorts.begin(), sorts.end());
    return only;
}

FrameActions createFrameActions(QWidget* owner) {
    FrameActions a;
    a.open = makeAction(owner, "Open", cmd::kOpen, "open.svg");
    a.openContainingFolder =
        makeAction(owner, "Open Containing Folder", cmd::kOpenContainingFolder, "open-folder.svg");
    a.rename = makeAction(owner, "Rename", cmd::kRename);
    a.deleteItems =
        makeAction(owner, "Delete", cmd::kDelete, "delete.svg", {"Delete File/Folder", "Delete"});
    a.properties = makeAction(owner, "Properties", cmd::kProperties, "properties.svg",
                              {"Show Properties", "Properties"});
    a.copyPath = makeAction(owner, "Copy Path", cmd::kCopyPath);
    a.saveResults = makeAction(owner, "", cmd::kSaveResults);
    a.saveResults->setText(QCoreApplication::translate("zandor::FrameActions", "Save Results As…"));
    a.saveResults->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a.exit = makeAction(owner, "Exit", cmd::kExit, "exit.svg", {"Exit", "Exit"});
    a.statusBar = makeAction(owner, "Status Bar", cmd::kViewStatusBar, nullptr,
                             {"Show or hide the status bar", "Toggle StatusBar"});
    a.statusBar->setCheckable(true);
    a.statusBar->setChecked(true);
    a.views = {makeAction(owner, "Large Icons", cmd::kViewLargeIcons, "view-large-icons.svg"),
               makeAction(owner, "Small Icons", cmd::kViewSmallIcons, "view-small-icons.svg"),
               makeAction(owner, "List Icons", cmd::kViewList, "view-list.svg"),
               makeAction(owner, "Details", cmd::kViewDetails, "view-details.svg")};
    const char* const sortTexts[6] = {"By Name", "By Path",          "By Size",
                                      "By Type", "By Creation Time", "By Modified Time"};
    const char* const contextSortTexts[6] = {"By Name", "By Path",          "By Size",
                                             "By Type", "By Creation Time", "By Modification Time"};
    for (unsigned i = 0; i < 6; ++i) {
        a.sorts[i] = makeAction(owner, sortTexts[i], cmd::kSortByName + i);
        a.contextSorts[i] = makeAction(owner, contextSortTexts[i], cmd::kSortByName + i);
    }
    a.selectAll = makeAction(owner, "Select All", cmd::kSelectAll);
    a.invertSelection = makeAction(owner, "Invert Selection", cmd::kInvertSelection);
    a.selectPage = makeAction(owner, "Select Page", cmd::kSelectPage);
    a.contextViews = {makeAction(owner, "Large Icons", cmd::kViewLargeIcons),
                      makeAction(owner, "Small Icons", cmd::kViewSmallIcons),
                      makeAction(owner, "List", cmd::kViewList),
                      makeAction(owner, "Details", cmd::kViewDetails)};
    a.contextSelectAll = makeAction(owner, "Select All", cmd::kContextSelectAll);
    a.contextSelectPage = makeAction(owner, "Select Page", cmd::kContextSelectPage);
    a.contextInvertSelection = makeAction(owner, "Invert Selection", cmd::kContextInvertSelection);
    return a;
}

void buildMenuBar(QMenuBar* bar, const FrameActions& a) {
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(a.saveResults);
    file->addSeparator();
    file->addActions({a.rename, a.deleteItems, a.properties, a.exit});

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->addAction(a.statusBar);
    view->addActions({a.views[0], a.views[1], a.views[2], a.views[3]});
    QMenu* sort = view->addMenu(QStringLiteral("Sort"));
    for (QAction* action : a.sorts) {
        sort->addAction(action);
    }
    view->addSeparator();
    view->addActions({a.selectAll, a.invertSelection, a.selectPage});

    QMenu* options = bar->addMenu(QStringLiteral("Options"));
    options->addActions({a.open, a.openContainingFolder});
}

void buildToolBar(QToolBar* bar, const FrameActions& a) {
    bar->setIconSize(QSize(16, 16));
    bar->addAction(a.open);
    bar->addSeparator();
    bar->addAction(a.openContainingFolder);
    bar->addSeparator();
    bar->addAction(a.deleteItems);
    bar->addSeparator();
    bar->addAction(a.properties);
    bar->addSeparator();
    bar->addActions({a.views[0], a.views[1], a.views[2], a.views[3]});
    bar->addSeparator();
    bar->addAction(a.exit);
    auto* filter = new NoTipFilter(bar);
    for (QToolButton* button : bar->findChildren<QToolButton*>()) {
        button->installEventFilter(filter);
        // A screen reader names an icon-only button by its command.
        if (button->defaultAction() != nullptr) {
            button->setAccessibleName(button->defaultAction()->text());
        }
    }
}

void buildContextMenu(QMenu* menu, const FrameActions& a) {
    menu->addAction(a.openContainingFolder);
    menu->addSeparator();
    QMenu* view = menu->addMenu(QStringLiteral("View"));
    for (QAction* action : a.contextViews) {
        view->addAction(action);
    }
    QMenu* arrange = menu->addMenu(QStringLiteral("Arrange Icons"));
    for (QAction* action : a.contextSorts) {
        arrange->addAction(action);
    }
    menu->addSeparator();
    menu->addActions({a.open, a.rename, a.deleteItems});
    menu->addSeparator();
    menu->addAction(a.properties);
    menu->addSeparator();
    menu->addActions({a.contextSelectAll, a.contextSelectPage, a.contextInvertSelection});
    menu->addSeparator();
    menu->addAction(a.copyPath);
}

}  // namespace zandor
