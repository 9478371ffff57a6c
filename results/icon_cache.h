// IconCache: the icon of a row from its name alone, through the MIME type
// the name suggests and the desktop's icon theme. One lookup per suffix: a
// million rows share a handful of icons, and no file is ever read for one.
#pragma once

#include <QHash>
#include <QIcon>
#include <QMimeDatabase>
#include <QString>

namespace zandor {

class IconCache {
  public:
    QIcon folderIcon();
    // The icon for a file of this name (decoded for display).
    QIcon fileIcon(const QString& name);

    // Loads the MIME database and the icon theme and draws the folder icon and
    // a text file's at this size once, so that the first rows a search lists
    // do not wait for them.
    void warmUp(int size);

    // When the platform names no icon theme, look where Debian installs them.
    static void ensureIconTheme();

  private:
    QIcon lookUp(const QString& name);

    QMimeDatabase m_mimeDatabase;
    QHash<QString, QIcon> m_bySuffix;  // lower-cased suffix; misses included
    QIcon m_folder;
};

}  // namespace zandor
