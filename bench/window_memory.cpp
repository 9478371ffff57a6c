// zandor-window-memory: the window's resident memory at start, after a search
// that lists every entry of a tree, and after a second search that finds
// nothing, offscreen. The searches are started from the form, as a user
// would; each figure is read once the window has had a second to settle.
//
//   zandor-window-memory TREE
//
// Prints one line per figure, in MB (10^6 bytes) of VmRSS.
#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include "app/main_frame.h"
#include "bench_support.h"
#include "results/right_view.h"

namespace {

using namespace zandor;
using bench::residentMB;
using bench::waitUntil;

// Lets queued work (batches, titles, deferred deletions) run before a reading.
void settle() {
    QEventLoop loop;
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
}

template <typename Widget>
Widget* named(const CMainFrame& frame, const char* name) {
    return frame.findChild<Widget*>(QString::fromLatin1(name));
}

void search(CMainFrame& frame, const QString& name) {
    named<QLineEdit>(frame, "editName")->setText(name);
    frame.setWindowTitle(QString());
    named<QPushButton>(frame, "btnSearch")->click();
    waitUntil([&] { return frame.windowTitle().startsWith(QStringLiteral("Search Completed")); });
    settle();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zandor-window-memory TREE\n");
        return 2;
    }
    QApplication application(argc, argv);
    CMainFrame frame;
    frame.show();
    settle();
    const double start = residentMB();

    // As a folder typed into the look-in box: the search adds and selects it.
    auto* lookIn = named<QLineEdit>(frame, "editLookIn");
    lookIn->clear();
    QTest::keyClicks(lookIn, QString::fromLocal8Bit(argv[1]));
    search(frame, QString());
    const int rows = frame.rightView()->model().rowCount();
    const double full = residentMB();

    search(frame, QStringLiteral("no-such-name-anywhere"));
    const double empty = residentMB();

    std::printf("window at start:                   %7.1f MB\n", start);
    std::printf("after a search listing %7d rows: %7.1f MB\n", rows, full);
    std::printf("after a search that finds nothing: %7.1f MB\n", empty);
    std::printf("above the start after both:        %7.1f MB\n", empty - start);
    return 0;
}
