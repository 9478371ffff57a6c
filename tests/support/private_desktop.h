// A desktop of the test's own: HOME and XDG_DATA_HOME point into a temporary
// home, so that the Trash written to is the test's, and file URLs the window
// hands the desktop to open are recorded instead of opened. The session bus is
// one that does not exist, so that no file manager is asked to show an item
// and folders are opened (and recorded) instead; it is set before the process
// first uses the bus.
#pragma once

#include <QByteArray>
#include <QDesktopServices>
#include <QString>

#include "temp_tree.h"
#include "url_recorder.h"

namespace zandor::test {

inline void enterPrivateDesktop(const TempTree& home, UrlRecorder& opened) {
    home.folder("data");
    qputenv("HOME", QByteArray::fromStdString(home.root()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home.path("data")));
    qputenv("DBUS_SESSION_BUS_ADDRESS",
            QByteArray::fromStdString("unix:path=" + home.path("no-session-bus")));
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
}

inline void leavePrivateDesktop() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

}  // namespace zandor::test
