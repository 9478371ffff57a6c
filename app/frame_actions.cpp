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

// The context under which the catalogues hold the menus' and commands' texts.
class FrameTexts {
    Q_DECLARE_TR_FUNCTIONS(zandor::FrameActions)
};

// A text of a table, in the user's language.
QString translated(const char* text) {
    return QCoreApplication::translate("zandor::FrameActions", text);
}

// A command's prompt: the status bar text and the toolbar tooltip. Commands
// without one show neither.
struct Prompt {
    QString status;
    QString tip;
};

QAction* makeAction(QWidget* owner, const QString& text, unsigned id, const char* icon = nullptr,
                    const Prompt& prompt = {}) {
    auto* action = new QAction(text, owner);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    action->setProperty("commandId", id);
    if (icon != nullptr) {
        action->setIcon(QIcon(QStringLiteral(":/icons/") + QString::fromLatin1(icon)));
    }
    if (!prompt.status.isEmpty()) {
        action->setStatusTip(prompt.status);
        action->setToolTip(prompt.tip);
    }
    action->setProperty("hasTip", !prompt.tip.isEmpty());
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

QMenu* makeOpenWithMenu(QWidget* owner, const char* name) {
    auto* menu = new QMenu(FrameTexts::tr("Open With"), owner);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

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
    a.open = makeAction(owner, FrameTexts::tr("Open"), cmd::kOpen, "open.svg");
    a.openContainingFolder = makeAction(owner, FrameTexts::tr("Open Containing Folder"),
                                        cmd::kOpenContainingFolder, "open-folder.svg");
    a.rename = makeAction(owner, FrameTexts::tr("Rename"), cmd::kRename);
    a.deleteItems = makeAction(owner, FrameTexts::tr("Delete"), cmd::kDelete, "delete.svg",
                               {FrameTexts::tr("Delete File/Folder"), FrameTexts::tr("Delete")});
    a.properties =
        makeAction(owner, FrameTexts::tr("Properties"), cmd::kProperties, "properties.svg",
                   {FrameTexts::tr("Show Properties"), FrameTexts::tr("Properties")});
    a.copyPath = makeAction(owner, FrameTexts::tr("Copy Path"), cmd::kCopyPath);
    a.saveResults = makeAction(owner, FrameTexts::tr("Save Results As…"), cmd::kSaveResults);
    a.saveResults->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a.exit = makeAction(owner, FrameTexts::tr("Exit"), cmd::kExit, "exit.svg",
                        {FrameTexts::tr("Exit"), FrameTexts::tr("Exit")});
    a.statusBar = makeAction(
        owner, FrameTexts::tr("Status Bar"), cmd::kViewStatusBar, nullptr,
        {FrameTexts::tr("Show or hide the status bar"), FrameTexts::tr("Toggle StatusBar")});
    a.statusBar->setCheckable(true);
    a.statusBar->setChecked(true);
    a.views = {makeAction(owner, FrameTexts::tr("Large Icons"), cmd::kViewLargeIcons,
                          "view-large-icons.svg"),
               makeAction(owner, FrameTexts::tr("Small Icons"), cmd::kViewSmallIcons,
                          "view-small-icons.svg"),
               makeAction(owner, FrameTexts::tr("List Icons"), cmd::kViewList, "view-list.svg"),
               makeAction(owner, FrameTexts::tr("Details"), cmd::kViewDetails, "view-details.svg")};
    const char* const sortTexts[6] = {
        QT_TRANSLATE_NOOP("zandor::FrameActions", "By Name"),
        QT_TRANSLATE_NOOP("zandor::FrameActions", "By Path"),
        QT_TRANSLATE_NOOP("zandor::FrameActions", "By Size"),
        QT_TRANSLATE_NOOP("zandor::FrameActions", "By Type"),
        QT_TRANSLATE_NOOP("zandor::FrameActions", "By Creation Time"),
        QT_TRANSLATE_NOOP("zandor::FrameActions", "By Modified Time")};
    const char* const contextSortTexts[6] = {
        QT_TRANSLATE_NOOP("zandor::FrameActions", "By Name"),
        QT_TRANSLATE_NOOP("zandor::FrameActions", "By Path"),
        QT_TRANSLATE_NOOP("zandor::FrameActions", "By Size"),
        QT_TRANSLATE_NOOP("zandor::FrameActions", "By Type"),
        QT_TRANSLATE_NOOP("zandor::FrameActions", "By Creation Time"),
        QT_TRANSLATE_NOOP("zandor::FrameActions", "By Modification Time")};
    for (unsigned i = 0; i < 6; ++i) {
        a.sorts[i] = makeAction(owner, translated(sortTexts[i]), cmd::kSortByName + i);
        a.contextSorts[i] =
            makeAction(owner, translated(contextSortTexts[i]), cmd::kSortByName + i);
    }
    a.selectAll = makeAction(owner, FrameTexts::tr("Select All"), cmd::kSelectAll);
    a.invertSelection =
        makeAction(owner, FrameTexts::tr("Invert Selection"), cmd::kInvertSelection);
    a.selectPage = makeAction(owner, FrameTexts::tr("Select Page"), cmd::kSelectPage);
    a.contextViews = {makeAction(owner, FrameTexts::tr("Large Icons"), cmd::kViewLargeIcons),
                      makeAction(owner, FrameTexts::tr("Small Icons"), cmd::kViewSmallIcons),
                      makeAction(owner, FrameTexts::tr("List"), cmd::kViewList),
                      makeAction(owner, FrameTexts::tr("Details"), cmd::kViewDetails)};
    a.contextSelectAll = makeAction(owner, FrameTexts::tr("Select All"), cmd::kContextSelectAll);
    a.contextSelectPage = makeAction(owner, FrameTexts::tr("Select Page"), cmd::kContextSelectPage);
    a.contextInvertSelection =
        makeAction(owner, FrameTexts::tr("Invert Selection"), cmd::kContextInvertSelection);
    a.openWith = makeOpenWithMenu(owner, "openWithMenu");
    a.contextOpenWith = makeOpenWithMenu(owner, "contextOpenWithMenu");
    return a;
}

void buildMenuBar(QMenuBar* bar, const FrameActions& a) {
    QMenu* file = bar->addMenu(FrameTexts::tr("&File"));
    file->addMenu(a.openWith);
    file->addAction(a.saveResults);
    file->addSeparator();
    file->addActions({a.rename, a.deleteItems, a.properties, a.exit});

    QMenu* view = bar->addMenu(FrameTexts::tr("&View"));
    view->addAction(a.statusBar);
    view->addActions({a.views[0], a.views[1], a.views[2], a.views[3]});
    QMenu* sort = view->addMenu(FrameTexts::tr("Sort"));
    for (QAction* action : a.sorts) {
        sort->addAction(action);
    }
    view->addSeparator();
    view->addActions({a.selectAll, a.invertSelection, a.selectPage});

    QMenu* options = bar->addMenu(FrameTexts::tr("Options"));
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
    QMenu* view = menu->addMenu(FrameTexts::tr("View"));
    for (QAction* action : a.contextViews) {
        view->addAction(action);
    }
    QMenu* arrange = menu->addMenu(FrameTexts::tr("Arrange Icons"));
    for (QAction* action : a.contextSorts) {
        arrange->addAction(action);
    }
    menu->addSeparator();
    menu->addAction(a.open);
    menu->addMenu(a.contextOpenWith);
    menu->addActions({a.rename, a.deleteItems});
    menu->addSeparator();
    menu->addAction(a.properties);
    menu->addSeparator();
    menu->addActions({a.contextSelectAll, a.contextSelectPage, a.contextInvertSelection});
    menu->addSeparator();
    menu->addAction(a.copyPath);
}

}  // namespace zandor
