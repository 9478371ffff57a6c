// zandor: the desktop window.
#include <QApplication>

#include "app/zandor_app.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    zandor::CZandorApp app;
    if (!app.InitInstance()) {
        return 1;
    }
    return QApplication::exec();
}
