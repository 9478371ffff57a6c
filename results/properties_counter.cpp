#include "results/properties_counter.h"

#include <QProgressDialog>
#include <QTimer>

#include "text/name_text.h"
#include "results/properties_report.h"

namespace zandor {

namespace {

// A count that ends within this long shows no progress at all.
constexpr int kProgressDelayMs = 500;
constexpr int kProgressUpdateMs = 150;

}  // namespace

PropertiesCounter::PropertiesCounter(QWidget* owner)
    : QObject(owner),
      m_owner(owner),
      m_count([](const std::string& path, const std::atomic<bool>* cancel,
                 const CountProgress& progress) {
          return CountFolderContents(path, cancel, progress);
      }),
      m_showTimer(new QTimer(this)),
      m_updateTimer(new QTimer(this)) {
    m_showTimer->setSingleShot(true);
    connect(m_showTimer, &QTimer::timeout, this, &PropertiesCounter::showProgress);
    m_updateTimer->setInterval(kProgressUpdateMs);
    connect(m_updateTimer, &QTimer::timeout, this, &PropertiesCounter::updateProgress);
}

PropertiesCounter::~PropertiesCounter() {
    m_cancel = true;
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

bool PropertiesCounter::start(const std::string& path) {
    if (busy()) {
        return false;
    }
    m_cancel = false;
    m_files = 0;
    m_folders = 0;
    m_location = displayText(path);
    // The worker never waits for this thread; its result comes back as a
    // queued call, which is dropped if this object is gone by then.
    m_worker = std::thread([this, path] {
        const bool isFolder = isFolderItself(path);
        const ContentCount count = m_count(path, &m_cancel, [this](const ContentCount& sofar) {
            m_files.store(sofar.files, std::memory_order_relaxed);
            m_folders.store(sofar.folders, std::memory_order_relaxed);
        });
        std::string report = propertiesReportText(path, isFolder, count);
        QMetaObject::invokeMethod(
            this, [this, report = std::move(report)] { finish(report); }, Qt::QueuedConnection);
    });
    m_showTimer->start(kProgressDelayMs);
    return true;
}

void PropertiesCounter::showProgress() {
    auto* dialog = new QProgressDialog(m_owner);
    dialog->setObjectName(QStringLiteral("propertiesProgress"));
    dialog->setWindowTitle(QStringLiteral("Properties"));
    dialog->setRange(0, 0);  // the total is not known until the count ends
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QProgressDialog::canceled, this, [this] { m_cancel = true; });
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
    m_dialog->setLabelText(QStringLiteral("Counting the contents of %1\n%2 files, %3 folders")
                               .arg(m_location)
                               .arg(m_files.load(std::memory_order_relaxed))
                               .arg(folders > 0 ? folders - 1 : 0));
}

void PropertiesCounter::finish(const std::string& report) {
    m_worker.join();
    m_showTimer->stop();
    m_updateTimer->stop();
    if (m_dialog != nullptr) {
        m_dialog->deleteLater();
        m_dialog->hide();
    }
    if (m_cancel.load()) {
        Q_EMIT cancelled();
        return;
    }
    Q_EMIT reportReady(QByteArray(report.data(), static_cast<qsizetype>(report.size())));
}

}  // namespace zandor
