// SearchController: the search as the window runs it. It takes the look-in
// folder and the name text from the form when Search is pressed, starts the
// worker, shows its progress in the window title (the latest folder, at most
// about 30 titles a second), and on completion swaps the buttons back, shows
// the notice row when nothing matched and the completion title.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <mutex>
#include <string>

#include "search/live_conditions.h"
#include "search/search_session.h"
#include "search/sinks.h"

class QWidget;

namespace zandor {

class CLeftView;
class CRightView;

class SearchController final : public QObject, private ProgressSink {
    Q_OBJECT
  public:
    static constexpr int kTitleIntervalMs = 33;

    SearchController(CLeftView& form, CRightView& results, QWidget& titleWindow,
                     const LiveConditionsBoard& live, QObject* parent = nullptr);
    ~SearchController() override;

    void OnSearch();
    void OnStop();
    // Stops the walk and waits for the worker; the windows may go after this.
    void shutdown();

    bool searching() const { return m_current != 0; }
    bool workerBusy() const { return m_session.busy(); }

  private:
    // Worker side.
    void onProgress(ProgressKind kind, std::string_view path) override;
    void onCompleted(const SearchCompletion& completion) override;

    // User-interface side.
    void showLatestTitle();
    void complete(const SearchCompletion& completion);

    CLeftView& m_form;
    CRightView& m_results;
    QWidget& m_titleWindow;
    SearchSession m_session;
    std::uint64_t m_current = 0;  // the search whose completion is awaited, or 0

    std::mutex m_titleMutex;
    std::string m_latestTitle;
    std::uint64_t m_titleVersion = 0;
    std::uint64_t m_shownVersion = 0;  // user-interface thread only
    QTimer m_titleTimer;
};

}  // namespace zandor
