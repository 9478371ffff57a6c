// The CAP, NUM and SCRL panes of the status bar, each shown while its lock
// key is on. Qt does not tell the lock state, but the kernel exposes the
// keyboards' lock lights under /sys/class/leds; the panes follow them, and
// stay empty where no keyboard light is visible (a remote or virtual display).
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>

class QLabel;
class QStatusBar;

namespace zandor {

class LockKeyIndicators final : public QObject {
    Q_OBJECT
  public:
    static constexpr int kPollMs = 300;

    explicit LockKeyIndicators(QStatusBar* bar,
                               QString ledFolder = QStringLiteral("/sys/class/leds"));

  private:
    // Whether a light whose name ends with suffix (for example "::capslock")
    // is on, in the folder of lights.
    static bool lightOn(const QString& ledFolder, const QString& suffix);
    void refresh();

    QString m_ledFolder;
    std::array<QLabel*, 3> m_labels{};
    QTimer m_timer;
};

}  // namespace zandor
