#include "results/icon_cache.h"

#include <QApplication>
#include <QStyle>

namespace zandor {

namespace {

QString suffixOf(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot <= 0 ? QString() : name.mid(dot + 1).toLower();
}

QIcon standardIcon(QStyle::StandardPixmap which) {
    return QApplication::style() != nullptr ? QApplication::style()->standardIcon(which) : QIcon();
}

}  // namespace

void IconCache::ensureIconTheme() {
    if (!QIcon::themeName().isEmpty()) {
        return;
    }
    QIcon::setThemeSearchPaths({QStringLiteral("/usr/share/icons")});
    QIcon::setThemeName(QStringLiteral("Adwaita"));
    QIcon::setFallbackThemeName(QStringLiteral("hicolor"));
}

QIcon IconCache::folderIcon() {
    if (m_folder.isNull()) {
        m_folder = QIcon::fromTheme(QStringLiteral("folder"), standardIcon(QStyle::SP_DirIcon));
    }
    return m_folder;
}

QIcon IconCache::fileIcon(const QString& name) {
    const QString suffix = suffixOf(name);
    const auto cached = m_bySuffix.constFind(suffix);
    if (cached != m_bySuffix.constEnd()) {
        return *cached;
    }
    // Looked up by the suffix alone, so that every name with it gets the same icon.
    QIcon icon = lookUp(suffix.isEmpty() ? QString() : QStringLiteral("x.") + suffix);
    m_bySuffix.insert(suffix, icon);
    return icon;
}

void IconCache::warmUp(int size) {
    for (const QIcon& icon : {folderIcon(), fileIcon(QStringLiteral("x.txt"))}) {
        icon.pixmap(size);
    }
}

QIcon IconCache::lookUp(const QString& name) {
    const QMimeType type = m_mimeDatabase.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    const QIcon fallback = standardIcon(QStyle::SP_FileIcon);
    const QIcon generic = QIcon::fromTheme(type.genericIconName(), fallback);
    return QIcon::fromTheme(type.iconName(), generic);
}

}  // namespace zandor
