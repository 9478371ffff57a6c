// zandor: the desktop window.
#include <QApplication>

#include "app/translations.h"
#include "app/zandor_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    zandor::installTranslations(application);
    zandor::CZandorApp app;
    if (!app.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
