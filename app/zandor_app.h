// CZandorApp: start-up. Names the application, makes the main window and
// shows it maximised. Nothing is stored between runs.
#pragma once

#include <memory>

namespace zandor {

class CMainFrame;

class CZandorApp {
  public:
    CZandorApp();
    ~CZandorApp();

    // Creates and shows the main window; false when it cannot be made.
    bool InitInstance();

  private:
    std::unique_ptr<CMainFrame> m_frame;
};

}  // namespace zandor
