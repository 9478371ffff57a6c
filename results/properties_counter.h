// PropertiesCounter: makes the properties report of one item away from the
// user-interface thread. A count that takes longer than the progress delay
// shows a progress dialog (object name "propertiesProgress") whose Cancel
// ends the count; a cancelled count reports nothing.
#pragma once

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>
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
    using CountFunction = std::function<ContentCount(
        const std::string& path, const std::atomic<bool>* cancel, const CountProgress& progress)>;

    explicit PropertiesCounter(QWidget* owner);
    ~PropertiesCounter() override;  // cancels a count still running and waits for it

    // Starts the report of the item at path; false while another is running.
    bool start(const std::string& path);
    bool busy() const { return m_worker.joinable(); }

    void setCountFunction(CountFunction count) { m_count = std::move(count); }

  Q_SIGNALS:
    // The report text (raw bytes of the path included), unless cancelled.
    void reportReady(const QByteArray& report);
    void cancelled();

  private:
    void showProgress();
    void updateProgress();
    void finish(const std::string& report);

    QWidget* m_owner;
    CountFunction m_count;
    std::thread m_worker;
    std::atomic<bool> m_cancel{false};
    std::atomic<std::uint64_t> m_files{0};
    std::atomic<std::uint64_t> m_folders{0};
    QTimer* m_showTimer;
    QTimer* m_updateTimer;
    QPointer<QProgressDialog> m_dialog;
    QString m_location;
};

}  // namespace zandor
