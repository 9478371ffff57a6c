// Times the results pane with a million rows, offscreen: rows through the
// batching path, a sort by name with its re-listing, view switches, and the
// memory the rows take. Prints one line per figure.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "bench_support.h"
#include "res/command_ids.h"
#include "results/right_view.h"

namespace {

using namespace zandor;
using bench::residentKiB;
using bench::waitUntil;

// Typical rows: paths of about 60 bytes, a mix of files and folders.
void feedRows(ResultSink& sink, int count) {
    static const char* const kSuffixes[] = {".txt", ".cpp", ".h", ".png", ".json", ".md", "", ".o"};
    sink.onSearchStarted(1);
    std::string name;
    std::string path;
    for (int i = 0; i < count; ++i) {
        const bool folder = i % 10 == 0;
        name =
            (folder ? "folder-" : "file-") + std::to_string(i) + (folder ? "" : kSuffixes[i % 8]);
        path = "/home/someone/projects/zandor-data/" + std::to_string(i / 1000) + "/" + name;
        FoundEntry entry{name,   path,           static_cast<std::uint64_t>(i) * 37,
                         folder, 1700000000 + i, 1700000000 + 2 * i};
        sink.AddResult(entry);
    }
}

}  // namespace

// With --screens DIR: a pane of a few rows in each view, saved as PNGs.
int saveScreens(const QString& folder) {
    CRightView view;
    view.resize(700, 300);
    view.show();
    view.beginSearch(1);
    std::thread worker([&] { feedRows(view.resultSink(), 40); });
    worker.join();
    view.flushPending();
    const struct {
        unsigned command;
        const char* file;
    } views[] = {{cmd::kViewDetails, "results-details.png"},
                 {cmd::kViewLargeIcons, "results-large-icons.png"},
                 {cmd::kViewSmallIcons, "results-small-icons.png"},
                 {cmd::kViewList, "results-list.png"}};
    for (const auto& v : views) {
        view.OnViewMode(v.command);
        QCoreApplication::processEvents();
        view.grab().save(folder + QLatin1Char('/') + QString::fromLatin1(v.file));
    }
    return 0;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc > 2 && std::string(argv[1]) == "--screens") {
        return saveScreens(QString::fromLocal8Bit(argv[2]));
    }
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
    CRightView view;
    view.resize(1200, 800);
    view.show();
    QCoreApplication::processEvents();
    const long baseKiB = residentKiB();

    QElapsedTimer timer;
    timer.start();
    view.beginSearch(1);
    std::thread worker([&] { feedRows(view.resultSink(), rows); });
    waitUntil([&] { return view.model().rowCount() == rows; });
    worker.join();
    QCoreApplication::processEvents();
    std::printf("append %d rows through the batches: %.3f s\n", rows, timer.elapsed() / 1000.0);
    std::printf("resident memory for the rows: %.1f MB (%ld KiB before, %ld KiB after)\n",
                (residentKiB() - baseKiB) / 1024.0, baseKiB, residentKiB());

    timer.restart();
    view.OnSort(0);
    QCoreApplication::processEvents();
    std::printf("sort by name, stores and re-listing: %.3f s\n", timer.elapsed() / 1000.0);

    for (const unsigned command :
         {cmd::kViewLargeIcons, cmd::kViewSmallIcons, cmd::kViewList, cmd::kViewDetails}) {
        timer.restart();
        view.OnViewMode(command);
        QCoreApplication::processEvents();
        std::printf("switch to view %u and show it: %.3f s\n", command, timer.elapsed() / 1000.0);
    }
    return 0;
}
