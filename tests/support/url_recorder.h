// Receives what a window hands the desktop to open, in place of the desktop:
// tests install it with QDesktopServices::setUrlHandler(scheme, &recorder, "open").
// A test that uses it lists this header among its sources, for moc.
#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

namespace zandor::test {

class UrlRecorder final : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

}  // namespace zandor::test
