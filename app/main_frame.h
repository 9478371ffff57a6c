// CMainFrame: the main window. A splitter holds the criteria form (220 pixels
// wide at first) and the results pane; above them the menu bar and a dockable
// toolbar, below them the status bar. Result commands reach the results pane
// whichever pane is active; Exit ends the application at once.
#pragma once

#include <QMainWindow>
#include <memory>

#include "app/frame_actions.h"
#include "search/live_conditions.h"

class QSplitter;
class QToolBar;

namespace zandor {

class CLeftView;
class CRightView;
class CommandRouter;
class SearchController;

class CMainFrame final : public QMainWindow {
    Q_OBJECT
  public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CLeftView* leftView() const { return m_pLeftView; }
    CRightView* rightView() const { return m_pRightView; }
    CommandRouter& router() const { return *m_router; }
    SearchController& search() const { return *m_search; }
    const FrameActions& actions() const { return m_actions; }

    // Exit: the walk is stopped and its worker ended before the windows go.
    void onExit();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void createPanes();
    void createBars();
    void connectCommands();
    void onStopKey();

    LiveConditionsBoard m_live;
    FrameActions m_actions;
    QSplitter* m_wndSplitter = nullptr;
    CLeftView* m_pLeftView = nullptr;
    CRightView* m_pRightView = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    std::unique_ptr<CommandRouter> m_router;
    std::unique_ptr<SearchController> m_search;
};

}  // namespace zandor
