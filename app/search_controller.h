// SearchController: the search as the window runs it. It takes the look-in
// folder and the name text from the form when Search is pressed, starts the
// worker, shows its progress in the window title (the latest folder, at most
// about 30 titles a second), and on completion swaps the buttons back, shows
// the notice row when nothing matched and the completion title; when the
// look-in folder itself could not be read, the status line says why, and
// when files could not be read for the containing text, how many.
// Titles and the completion reach the window's thread through results/ui_post.h.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "results/ui_post.h"
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
    // Where the search's own status goes (the status bar's first pane).
    void setStatusLine(std::function<void(const QString&)> show) { m_showStatus = std::move(show); }
    // Stops the walk and waits for the worker; the windows may go after this.
    void shutdown();

    bool searching() const { return m_current != 0; }
    bool workerBusy() const { return m_session.busy(); }

  private:
    // Worker side.
    void onProgress(ProgressKind kind, std::string_view path) override;
    void onCompleted(const SearchCompletion& completion) override;

    // User-interface side.
    void titleArrived();
    void showLatestTitle();
    void showStatus(const QString& text);
    static QString progressText(ProgressKind kind, const std::string& path);
    void complete(const SearchCompletion& completion);

    CLeftView& m_form;
    CRightView& m_results;
    QWidget& m_titleWindow;
    std::function<void(const QString&)> m_showStatus;
    std::string m_folder;  // the folder the current search looks in
    SearchSession m_session;
    std::uint64_t m_current = 0;  // the search whose completion is awaited, or 0

    // The walk's latest progress, made into a title in the user's language
    // when shown; a new one replaces one not yet shown.
    struct Progress {
        ProgressKind kind;
        std::string path;
    };
    UiMailbox<std::optional<Progress>> m_titles;
    // Started by a title's arrival: the next title shows when it fires, so
    // that the window's title changes at most every kTitleIntervalMs.
    QTimer m_titleTimer;
};

}  // namespace zandor
