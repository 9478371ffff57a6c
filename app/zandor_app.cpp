#include "app/zandor_app.h"

#include <QApplication>

#include "app/main_frame.h"
#include "results/icon_cache.h"

namespace zandor {

CZandorApp::CZandorApp() {
    QCoreApplication::setApplicationName(QStringLiteral("Zandor"));
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZANDOR_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("zandor"));
}

CZandorApp::~CZandorApp() = default;

bool CZandorApp::InitInstance() {
    IconCache::ensureIconTheme();
    m_frame = std::make_unique<CMainFrame>();
    m_frame->showMaximized();
    return true;
}

}  // namespace zandor
