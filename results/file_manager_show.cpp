#include "results/file_manager_show.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>

#include "results/path_mime_data.h"

namespace zandor {

namespace {

constexpr int kReplyWithinMs = 1000;

}  // namespace

void FileManagerShow::showItems(const std::vector<std::string>& paths) {
    if (paths.empty()) {
        Q_EMIT finished(true);
        return;
    }
    // Qt connects to the bus DBUS_SESSION_BUS_ADDRESS names, once a process.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        fallBack(paths);
        return;
    }
    // The URIs carry the raw path bytes percent-encoded, so they are ASCII
    // whatever the names hold.
    QStringList uris;
    for (const std::string& path : paths) {
        uris << QString::fromLatin1(fileUriOf(path));
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << uris << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kReplyWithinMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, paths](QDBusPendingCallWatcher*) {
                watcher->deleteLater();
                if (watcher->isError()) {
                    fallBack(paths);
                } else {
                    Q_EMIT finished(true);
                }
            });
}

void FileManagerShow::fallBack(const std::vector<std::string>& paths) {
    if (m_fallback) {
        m_fallback(paths);
    }
    Q_EMIT finished(false);
}

}  // namespace zandor
