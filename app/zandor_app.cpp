#include "app/zandor_app.h"

#include <QApplication>

#include "app/main_frame.h"
#include "res/app_id.h"
#include "results/icon_cache.h"

namespace zandor {

CZandorApp::CZandorApp() {
    QCoreApplication::setApplicationName(QStringLiteral("Zandor"));
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZANDOR_VERSION));
    // Desktops match the window to its installed entry (and icon) by this name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kAppId));
}

CZandorApp::~CZandorApp() = default;

bool CZandorApp::InitInstance() {
    IconCache::ensureIconTheme();
    m_frame = std::make_unique<CMainFrame>();
    m_frame->showMaximized();
    return true;
}

}  // namespace zandor
