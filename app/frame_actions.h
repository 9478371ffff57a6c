// The commands of the main window as actions, and the menu bar, toolbar and
// context menu built from them. Each action carries its command identifier
// (property "commandId") and is named "command<id>" so tests find it.
#pragma once

#include <QAction>
#include <array>

class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace zandor {

struct FrameActions {
    QAction* open = nullptr;
    QAction* openContainingFolder = nullptr;
    QAction* rename = nullptr;
    QAction* deleteItems = nullptr;
    QAction* properties = nullptr;
    QAction* copyPath = nullptr;
    QAction* saveResults = nullptr;
    QAction* exit = nullptr;
    QAction* statusBar = nullptr;
    std::array<QAction*, 4> views{};  // Large Icons, Small Icons, List Icons, Details
    std::array<QAction*, 6> sorts{};  // By Name ... By Modified Time
    QAction* selectAll = nullptr;
    QAction* invertSelection = nullptr;
    QAction* selectPage = nullptr;

    // The context menu's own entries: other captions or identifiers.
    std::array<QAction*, 4> contextViews{};
    std::array<QAction*, 6> contextSorts{};
    QAction* contextSelectAll = nullptr;
    QAction* contextSelectPage = nullptr;
    QAction* contextInvertSelection = nullptr;

    // The Open With submenus of the File menu and of the context menu; the
    // results pane fills them as they show.
    QMenu* openWith = nullptr;
    QMenu* contextOpenWith = nullptr;

    // The commands that work only while the results pane is active.
    std::vector<QAction*> resultsPaneOnly() const;
};

unsigned commandIdOf(const QAction* action);

FrameActions createFrameActions(QWidget* owner);
void buildMenuBar(QMenuBar* bar, const FrameActions& actions);
void buildToolBar(QToolBar* bar, const FrameActions& actions);
// The results pane's context menu: Open Containing Folder, View, Arrange
// Icons, Open, Open With, Rename, Delete, Properties, the three selection commands and
// Copy Path.
void buildContextMenu(QMenu* menu, const FrameActions& actions);

}  // namespace zandor
