// Saves pictures of the whole window, offscreen: at start, during a search
// and after it. Usage: zandor-window-screens OUTPUT_FOLDER LOOK_IN [NAME]
#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "app/main_frame.h"
#include "app/search_controller.h"
#include "results/right_view.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc < 3) {
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    zandor::CMainFrame frame;
    frame.resize(1280, 800);
    frame.show();
    QCoreApplication::processEvents();
    const auto save = [&](const char* name) {
        frame.grab().save(folder + QLatin1Char('/') + QString::fromLatin1(name));
    };
    save("window-start.png");

    // Typed and pressed as a user would, on the controls found by their names.
    QTest::keyClicks(frame.findChild<QLineEdit*>(QStringLiteral("editName")),
                     argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString());
    QTest::keyClicks(frame.findChild<QLineEdit*>(QStringLiteral("editLookIn")),
                     QString::fromLocal8Bit(argv[2]));
    QTest::mouseClick(frame.findChild<QPushButton*>(QStringLiteral("btnSearch")), Qt::LeftButton);
    // Let the walk run a moment so that rows and a progress title show.
    QElapsedTimer running;
    running.start();
    while (running.elapsed() < 400 && frame.search().searching()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    save("window-searching.png");
    while (frame.search().searching()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QCoreApplication::processEvents();
    save("window-completed.png");

    // The context menu over the first row, as a right click shows it.
    zandor::CRightView& results = *frame.rightView();
    results.selectionModel()->select(results.model().index(0, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    results.OnRClickList(frame.mapToGlobal(QPoint(400, 120)));
    if (auto* menu = frame.findChild<QMenu*>(QStringLiteral("resultContextMenu"))) {
        QCoreApplication::processEvents();
        menu->grab().save(folder + QStringLiteral("/window-context-menu.png"));
        menu->hide();
    }
    return 0;
}
