#include "app/search_controller.h"

#include <utility>

#include "criteria/left_view.h"
#include "results/right_view.h"
#include "text/name_text.h"

namespace zandor {

namespace {

// Why nothing was searched, in the words of the system's message (text of
// the locale, which Qt 6 reads as UTF-8).
QString lookInFailure(const std::string& folder, const Error& error) {
    if (folder.empty()) {
        return SearchController::tr("Look in is empty: no folder was searched");
    }
    return SearchController::tr("Cannot read the folder \"%1\": %2")
        .arg(displayText(folder),
             QString::fromLocal8Bit(error.message.data(),
                                    static_cast<qsizetype>(error.message.size())));
}

}  // namespace

SearchController::SearchController(CLeftView& form, CRightView& results, QWidget& titleWindow,
                                   const LiveConditionsBoard& live, QObject* parent)
    : QObject(parent),
      m_form(form),
      m_results(results),
      m_titleWindow(titleWindow),
      m_session(live, results.resultSink(), *this),
      m_titles(this, [this] { titleArrived(); }) {
    m_titleTimer.setSingleShot(true);
    m_titleTimer.setInterval(kTitleIntervalMs);
    connect(&m_titleTimer, &QTimer::timeout, this, &SearchController::showLatestTitle);
    connect(&m_form, &CLeftView::searchRequested, this, &SearchController::OnSearch);
    connect(&m_form, &CLeftView::stopRequested, this, &SearchController::OnStop);
}

SearchController::~SearchController() {
    shutdown();
}

void SearchController::shutdown() {
    m_session.stop();
    m_session.waitUntilIdle();
    m_titleTimer.stop();
}

void SearchController::OnSearch() {
    const std::optional<SearchRequest> request = m_form.takeSearchRequest();
    if (!request) {
        return;  // nothing to search: the rows and the stores stay as they were
    }
    m_folder = request->m_strFolder;
    showStatus(tr("Ready"));
    m_current = m_session.start(*request);
    m_results.beginSearch(m_current);
    m_form.setSearching(true);
    // Only titles of the walk from now on replace the window's title.
    m_titles.take([](std::optional<Progress>& title) { title.reset(); });
}

void SearchController::showStatus(const QString& text) {
    if (m_showStatus) {
        m_showStatus(text);
    }
}

void SearchController::OnStop() {
    m_session.stop();
    m_form.setSearching(false);
}

void SearchController::onProgress(ProgressKind kind, std::string_view path) {
    Progress progress{kind, std::string(path)};
    m_titles.update([&progress](std::optional<Progress>& latest) { latest = std::move(progress); });
}

QString SearchController::progressText(ProgressKind kind, const std::string& path) {
    // Spelt as the walk's own titles (search/sinks.h), blanks included.
    return kind == ProgressKind::FolderMet
               ? tr("Vantrel Utility - Searching [ %1 ]").arg(displayText(path))
               : tr("Searching  -  %1").arg(displayText(path));
}

void SearchController::titleArrived() {
    // Titles that arrive after the completion title leave it as it is.
    if (searching() && !m_titleTimer.isActive()) {
        m_titleTimer.start();
    }
}

void SearchController::showLatestTitle() {
    const std::optional<Progress> progress = m_titles.take(
        [](std::optional<Progress>& latest) { return std::exchange(latest, std::nullopt); });
    if (progress && searching()) {
        m_titleWindow.setWindowTitle(progressText(progress->kind, progress->path));
    }
}

void SearchController::onCompleted(const SearchCompletion& completion) {
    postToThreadOf(this, [this, completion] { complete(completion); });
}

void SearchController::complete(const SearchCompletion& completion) {
    if (completion.generation != m_current) {
        return;  // a stopped search that a newer one replaced
    }
    m_current = 0;
    m_titleTimer.stop();
    m_results.flushPending();
    m_form.setSearching(false);
    if (completion.nothingFound()) {
        m_results.showNoItemsNotice();
    }
    if (!completion.lookIn.ok()) {
        showStatus(lookInFailure(m_folder, completion.lookIn.error()));
    } else if (completion.unreadableFiles > 0) {
        // Files the containing text could not be looked for in: passed over,
        // but not silently.
        showStatus(completion.unreadableFiles == 1
                       ? tr("1 file could not be read")
                       : tr("%1 files could not be read").arg(completion.unreadableFiles));
    }
    // The numbers as the walk writes them (no group separators), so that the
    // English title is the walk's own to the byte.
    m_titleWindow.setWindowTitle(tr("Search Completed - Found %1 files and %2 folders ")
                                     .arg(completion.filesFound)
                                     .arg(completion.foldersFound));
}

}  // namespace zandor
