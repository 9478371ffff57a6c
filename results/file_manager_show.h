// FileManagerShow: asks the desktop's file manager, over the session bus, to
// open the folders of some items with the items selected
// (org.freedesktop.FileManager1.ShowItems). Without a file manager that
// answers, the caller's fallback opens the folders instead.
#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

namespace zandor {

class FileManagerShow final : public QObject {
    Q_OBJECT
  public:
    // Given the items the file manager did not show.
    using Fallback = std::function<void(const std::vector<std::string>& paths)>;

    explicit FileManagerShow(QObject* parent = nullptr) : QObject(parent) {}

    void setFallback(Fallback fallback) { m_fallback = std::move(fallback); }

    // Asks once for all the items, without waiting: the answer arrives on
    // this thread's event loop. No session bus, no such service, an error
    // reply or no reply within a second all take the fallback.
    void showItems(const std::vector<std::string>& paths);

  Q_SIGNALS:
    // The request has ended: shown by the file manager, or handed to the
    // fallback.
    void finished(bool shown);

  private:
    void fallBack(const std::vector<std::string>& paths);

    Fallback m_fallback;
};

}  // namespace zandor
