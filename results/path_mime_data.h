// The paths of result rows as another program takes them from a drag or the
// clipboard: a file list (text/uri-list, and the form GNOME's file manager
// pastes) and plain text, one path a line, all carrying the raw path bytes.
#pragma once

#include <QByteArray>
#include <string>
#include <vector>

class QMimeData;

namespace zandor {

// "file://" and the path with every byte but the unreserved ones and "/"
// percent-encoded, so a name that is not UTF-8 arrives byte for byte.
QByteArray fileUriOf(const std::string& path);

// New mime data for these paths, in this order; the caller owns it.
QMimeData* pathsMimeData(const std::vector<std::string>& paths);

}  // namespace zandor
