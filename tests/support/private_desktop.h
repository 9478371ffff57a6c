// A desktop of the test's own for window and pane tests: HOME and the XDG
// folders point into a temporary home, so that the Trash written to is the
// test's and the items the window opens reach the stand-in programs of
// stand_in_desktop.h, which record the URIs they get. Entered in
// initTestCase, before anything asks GIO about programs or files. The session
// bus is one that does not exist, so that no file manager is asked to show an
// item and folders are opened (and recorded) instead.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <cstddef>
#include <string>

#include "stand_in_desktop.h"
#include "temp_tree.h"

namespace zandor::test {

class PrivateDesktop {
  public:
    explicit PrivateDesktop(const TempTree& home) : m_desktop(home.root()) {
        qputenv("DBUS_SESSION_BUS_ADDRESS",
                QByteArray::fromStdString("unix:path=" + home.path("no-session-bus")));
    }

    // The starts of the program once count of them are recorded (waiting a
    // few seconds at most), each as its URIs one a line; sorted, since each
    // start is a process of its own. A count of 0 takes what is there now.
    QStringList opened(std::size_t count, const char* program = StandInDesktop::kRecorder) const {
        QStringList starts;
        for (const Launch& launch : m_desktop.waitForLaunches(program, count)) {
            QStringList uris;
            for (const std::string& uri : launch) {
                uris << QString::fromStdString(uri);
            }
            starts << uris.join(QLatin1Char('\n'));
        }
        return starts;
    }
    void forget() const { m_desktop.forgetLaunches(); }

  private:
    StandInDesktop m_desktop;
};

// The URIs of these file URLs as a program gets them, sorted, to compare
// with PrivateDesktop::opened for items opened one start each.
inline QStringList sortedUris(const QList<QUrl>& urls) {
    QStringList uris;
    for (const QUrl& url : urls) {
        uris << QString::fromLatin1(url.toEncoded());
    }
    std::sort(uris.begin(), uris.end());
    return uris;
}

}  // namespace zandor::test
