// PropertiesCounter: makes the properties report of one item away from the
// user-interface thread. A count that takes longer than the progress delay
// shows a progress dialog (object name "propertiesProgress") whose Cancel
// ends the count; a cancelled count reports nothing. The count runs on a
// std::jthread and is stopped through its stop token; the report reaches
// this thread through postToThreadOf.
#pragma once

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <stop_token>
#include <string>
#include <thread>

#include "platform/fs_count.h"

class QProgressDialog;
class QTimer;
class QWidget;

namespace zandor {

class PropertiesCounter final : public QObject {
    Q_OBJECT
  public:
    // Counts the item, polling stop and ending early once it is requested.
    using CountFunction = std::function<ContentCount(
        const std::string& path, const std::stop_token& stop, const CountProgress& progress)>;

    explicit PropertiesCounter(QWidget* owner);
    ~PropertiesCounter() override;  // cancels a count still running and waits for it

    // Starts the report of the item at path; false while another is running.
    bool start(const std::string& path);
    bool busy() const { return m_worker.joinable(); }

    void setCountFunction(CountFunction count) { m_count = std::move(count); }

    // The report in the user's language; in English, the very text of
    // propertiesReportText, with the path as it shows.
    static QString reportText(const QString& location, bool isFolder, const ContentCount& count);

  Q_SIGNALS:
    // The report text, unless cancelled.
    void reportReady(const QString& report);
    void cancelled();

  private:
    void showProgress();
    void updateProgress();
    void finish(bool isFolder, const ContentCount& count);

    QWidget* m_owner;
    CountFunction m_count;
    std::atomic<std::uint64_t> m_files{0};
    std::atomic<std::uint64_t> m_folders{0};
    std::jthread m_worker;  // after what it writes, so that it ends before they go
    QTimer* m_showTimer;
    QTimer* m_updateTimer;
    QPointer<QProgressDialog> m_dialog;
    QString m_location;
};

}  // namespace zandor
