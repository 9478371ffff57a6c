#include "results/properties_counter.h"

#include <QProgressDialog>
#include <QTimer>

#include "results/properties_report.h"
#include "results/ui_post.h"
#include "search/size_text.h"
#include "text/name_text.h"

namespace zandor {

namespace {

// A count that ends within this long shows no progress at all.
constexpr int kProgressDelayMs = 500;
constexpr int kProgressUpdateMs = 150;

}  // namespace

PropertiesCounter::PropertiesCounter(QWidget* owner)
    : QObject(owner),
      m_owner(owner),
      m_count(
          [](const std::string& path, const std::stop_token& stop, const CountProgress& progress) {
              // The count polls a flag of its own (zandor-find stops it the same
              // way); the stop request sets it.
              std::atomic<bool> cancel{false};
              const std::stop_callback onStop(stop, [&cancel] { cancel = true; });
              return CountFolderContents(path, &cancel, progress);
          }),
      m_showTimer(new QTimer(this)),
      m_updateTimer(new QTimer(this)) {
    m_showTimer->setSingleShot(true);
    connect(m_showTimer, &QTimer::timeout, this, &PropertiesCounter::showProgress);
    m_updateTimer->setInterval(kProgressUpdateMs);
    connect(m_updateTimer, &QTimer::timeout, this, &PropertiesCounter::updateProgress);
}

PropertiesCounter::~PropertiesCounter() = default;

bool PropertiesCounter::start(const std::string& path) {
    if (busy()) {
        return false;
    }
    m_files = 0;
    m_folders = 0;
    m_location = displayText(path);
    // The worker never waits for this thread; its result comes back as a
    // posted call, which is dropped if this object is gone by then.
    m_worker = std::jthread([this, path](const std::stop_token& stop) {
        const bool isFolder = isFolderItself(path);
        const ContentCount count = m_count(path, stop, [this](const ContentCount& sofar) {
            m_files.store(sofar.files, std::memory_order_relaxed);
            m_folders.store(sofar.folders, std::memory_order_relaxed);
        });
        postToThreadOf(this, [this, isFolder, count] { finish(isFolder, count); });
    });
    m_showTimer->start(kProgressDelayMs);
    return true;
}

void PropertiesCounter::showProgress() {
    auto* dialog = new QProgressDialog(m_owner);
    dialog->setObjectName(QStringLiteral("propertiesProgress"));
    dialog->setWindowTitle(tr("Properties"));
    dialog->setRange(0, 0);  // the total is not known until the count ends
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QProgressDialog::canceled, this, [this] { m_worker.request_stop(); });
    m_dialog = dialog;
    updateProgress();
    dialog->show();
    m_updateTimer->start();
}

void PropertiesCounter::updateProgress() {
    if (m_dialog == nullptr) {
        return;
    }
    const std::uint64_t folders = m_folders.load(std::memory_order_relaxed);
    m_dialog->setLabelText(tr("Counting the contents of %1\n%2 files, %3 folders")
                               .arg(m_location)
                               .arg(m_files.load(std::memory_order_relaxed))
                               .arg(folders > 0 ? folders - 1 : 0));
}

QString PropertiesCounter::reportText(const QString& location, bool isFolder,
                                      const ContentCount& count) {
    std::string size;
    appendSizeText(size, count.bytes);
    // The item itself, counted as a folder, is not among those it contains.
    const std::uint64_t folders = count.folders > 0 ? count.folders - 1 : 0;
    // One arg() for all four, so that a % in the path is never taken for a place.
    return tr("Type : \t\t%1\nLocation : \t%2\nSize : \t\t%3\nContains : \t%4")
        .arg(isFolder ? tr("File Folder") : tr("File"), location, QString::fromStdString(size),
             tr("%1 Files   :   %2 Folders").arg(count.files).arg(folders));
}

void PropertiesCounter::finish(bool isFolder, const ContentCount& count) {
    const bool stopped = m_worker.get_stop_token().stop_requested();
    m_worker.join();
    m_showTimer->stop();
    m_updateTimer->stop();
    if (m_dialog != nullptr) {
        m_dialog->deleteLater();
        m_dialog->hide();
    }
    if (stopped) {
        Q_EMIT cancelled();
        return;
    }
    Q_EMIT reportReady(reportText(m_location, isFolder, count));
}

}  // namespace zandor
