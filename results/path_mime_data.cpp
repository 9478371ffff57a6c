#include "results/path_mime_data.h"

#include <QMimeData>

namespace zandor {

QByteArray fileUriOf(const std::string& path) {
    const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
    return QByteArrayLiteral("file://") + bytes.toPercentEncoding("/");
}

QMimeData* pathsMimeData(const std::vector<std::string>& paths) {
    QByteArray uriList;  // RFC 2483: each line ends with CR LF
    QByteArray copied = QByteArrayLiteral("copy");
    QByteArray text;
    for (const std::string& path : paths) {
        const QByteArray uri = fileUriOf(path);
        uriList += uri + "\r\n";
        copied += '\n' + uri;
        if (!text.isEmpty()) {
            text += '\n';
        }
        // No newline after the last path: pasted into a terminal it must
        // not run the line.
        text += QByteArray(path.data(), static_cast<qsizetype>(path.size()));
    }
    auto* data = new QMimeData;
    data->setData(QStringLiteral("text/uri-list"), uriList);
    data->setData(QStringLiteral("x-special/gnome-copied-files"), copied);
    data->setData(QStringLiteral("text/plain"), text);
    return data;
}

}  // namespace zandor
