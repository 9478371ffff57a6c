// Times the results pane with a million rows, offscreen: rows through the
// batching path, sorts with their re-listing, each key typed into the
// filter, view switches, the memory the rows take and the longest the event
// loop stalled meanwhile; or, with
// --search TREE, a search of a real tree into the pane. One line per figure.
#include <time.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "bench_support.h"
#include "results/right_view.h"
#include "search/search_session.h"

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

// The longest the event loop went without serving a 10 ms timer: how long
// the window would have kept a user waiting.
// With ZANDOR_SLOWEST_EVENTS set, reports each event that keeps the window
// busy for longer than that many milliseconds: its type and its receiver.
class TimedApplication final : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        if (m_reportFromMs <= 0) {
            return QApplication::notify(receiver, event);
        }
        const QEvent::Type type = event->type();
        QElapsedTimer took;
        took.start();
        const bool done = QApplication::notify(receiver, event);
        if (took.elapsed() >= m_reportFromMs) {
            std::fprintf(stderr, "event %d to %s took %lld ms\n", static_cast<int>(type),
                         receiver->metaObject()->className(),
                         static_cast<long long>(took.elapsed()));
        }
        return done;
    }

  private:
    int m_reportFromMs = qEnvironmentVariableIntValue("ZANDOR_SLOWEST_EVENTS");
};

class StallMeter {
  public:
    StallMeter() {
        QObject::connect(&m_tick, &QTimer::timeout, [this] { tick(); });
    }
    void start() {
        m_longest = 0;
        m_busyInLongest = 0;
        m_since.start();
        m_runningAt = runningMs();
        m_tick.start(10);
    }
    qint64 stop() {
        m_tick.stop();
        tick();
        return m_longest;
    }
    // How long this thread ran during the longest stall: near the stall, the
    // window's own work; far below it, the machine ran something else.
    qint64 busyInLongest() const { return m_busyInLongest; }

  private:
    static qint64 runningMs() {
        timespec now{};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return static_cast<qint64>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
    }
    void tick() {
        const qint64 gap = m_since.restart();
        const qint64 running = runningMs();
        if (gap > m_longest) {
            m_longest = gap;
            m_busyInLongest = running - m_runningAt;
        }
        m_runningAt = running;
    }

    QTimer m_tick;
    QElapsedTimer m_since;
    qint64 m_longest = 0;
    qint64 m_busyInLongest = 0;
    qint64 m_runningAt = 0;
};

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
        ViewType type;
        const char* file;
    } views[] = {{ViewType::Details, "results-details.png"},
                 {ViewType::LargeIcons, "results-large-icons.png"},
                 {ViewType::SmallIcons, "results-small-icons.png"},
                 {ViewType::List, "results-list.png"}};
    for (const auto& v : views) {
        view.OnViewMode(v.type);
        QCoreApplication::processEvents();
        view.grab().save(folder + QLatin1Char('/') + QString::fromLatin1(v.file));
    }
    return 0;
}

// Sorts the pane by name, size and path, each as a header click would.
void timeSorts(CRightView& view, StallMeter& stalls) {
    for (const SortKey key : {SortKey::Name, SortKey::Size, SortKey::Path}) {
        QElapsedTimer timer;
        timer.start();
        stalls.start();
        view.OnSort(key);
        waitUntil([&] { return !view.isSorting(); });
        QCoreApplication::processEvents();
        const qint64 longest = stalls.stop();
        std::printf(
            "sort by key %u, stores and re-listing: %.3f s, window busy %lld ms of longest stall "
            "%lld ms\n",
            static_cast<unsigned>(key), timer.elapsed() / 1000.0,
            static_cast<long long>(stalls.busyInLongest()), static_cast<long long>(longest));
    }
}

// Types words into the filter letter by letter, deleting each again, as
// keys would: for each key, how long until the rows shown were those of the
// words typed, and the longest the window went without answering meanwhile.
void timeFilterKeys(CRightView& view, StallMeter& stalls) {
    // A name, then a word of the path (once its slash is typed).
    QStringList typed;
    for (const QString& word : {QStringLiteral("file-425.cpp"), QStringLiteral("data/42/")}) {
        for (qsizetype length = 1; length <= word.size(); ++length) {
            typed << word.left(length);
        }
        for (qsizetype length = word.size() - 1; length >= 0; --length) {
            typed << word.left(length);
        }
    }
    qint64 slowest = 0;
    qint64 longestStall = 0;
    for (const QString& text : typed) {
        QElapsedTimer timer;
        timer.start();
        stalls.start();
        view.setFilterText(text);
        if (view.filter().isRunning()) {
            QEventLoop loop;
            QObject::connect(&view, &CRightView::filterStatusChanged, &loop, [&] {
                if (!view.filter().isRunning()) {
                    loop.quit();
                }
            });
            loop.exec();
        }
        const qint64 took = timer.elapsed();
        QCoreApplication::processEvents();
        const qint64 longest = stalls.stop();
        slowest = std::max(slowest, took);
        longestStall = std::max(longestStall, longest);
        std::printf(
            "filter key \"%s\": %d rows shown after %lld ms, window busy %lld ms of longest "
            "stall %lld ms\n",
            qPrintable(text), view.model().rowCount(), static_cast<long long>(took),
            static_cast<long long>(stalls.busyInLongest()), static_cast<long long>(longest));
    }
    std::printf("filter keys: slowest %lld ms, longest stall %lld ms\n",
                static_cast<long long>(slowest), static_cast<long long>(longestStall));
}

// With --search TREE [THREADS]: the window's own path end to end, offscreen:
// the search engine walks TREE into the pane until the completion, then sorts.
int searchTree(const std::string& tree, unsigned threads) {
    CRightView view;
    view.resize(1200, 800);
    view.show();
    QCoreApplication::processEvents();
    const long baseKiB = residentKiB();

    class Completion final : public ProgressSink {
      public:
        void onProgress(ProgressKind, std::string_view) override {}
        void onCompleted(const SearchCompletion&) override { done.store(true); }
        std::atomic<bool> done{false};
    } completion;
    LiveConditionsBoard live;
    SearchSession session(live, view.resultSink(), completion);
    StallMeter stalls;
    QElapsedTimer timer;
    timer.start();
    stalls.start();
    view.beginSearch(session.start(SearchRequest{tree, "", false, threads}));
    waitUntil([&] { return completion.done.load(); });
    view.flushPending();
    QCoreApplication::processEvents();
    const qint64 longest = stalls.stop();
    std::printf(
        "search to the completion: %.3f s, %d rows, window busy %lld ms of longest stall %lld ms\n",
        timer.elapsed() / 1000.0, view.model().rowCount(),
        static_cast<long long>(stalls.busyInLongest()), static_cast<long long>(longest));
    std::printf("resident memory for the rows: %.1f MB (%ld KiB before, %ld KiB after)\n",
                (residentKiB() - baseKiB) / 1024.0, baseKiB, residentKiB());
    timeSorts(view, stalls);
    return 0;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    TimedApplication app(argc, argv);
    if (argc > 2 && std::string(argv[1]) == "--screens") {
        return saveScreens(QString::fromLocal8Bit(argv[2]));
    }
    if (argc > 2 && std::string(argv[1]) == "--search") {
        return searchTree(argv[2], argc > 3 ? static_cast<unsigned>(std::atoi(argv[3])) : 0U);
    }
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
    CRightView view;
    view.resize(1200, 800);
    view.show();
    QCoreApplication::processEvents();
    const long baseKiB = residentKiB();

    QElapsedTimer timer;
    StallMeter stalls;
    timer.start();
    stalls.start();
    view.beginSearch(1);
    std::thread worker([&] { feedRows(view.resultSink(), rows); });
    waitUntil([&] { return view.model().rowCount() == rows; });
    worker.join();
    QCoreApplication::processEvents();
    std::printf("append %d rows through the batches: %.3f s, longest stall %lld ms\n", rows,
                timer.elapsed() / 1000.0, static_cast<long long>(stalls.stop()));
    std::printf("resident memory for the rows: %.1f MB (%ld KiB before, %ld KiB after)\n",
                (residentKiB() - baseKiB) / 1024.0, baseKiB, residentKiB());

    timeSorts(view, stalls);
    timeFilterKeys(view, stalls);

    for (const ViewType type :
         {ViewType::LargeIcons, ViewType::SmallIcons, ViewType::List, ViewType::Details}) {
        timer.restart();
        view.OnViewMode(type);
        QCoreApplication::processEvents();
        std::printf("switch to view %u and show it: %.3f s\n", static_cast<unsigned>(type),
                    timer.elapsed() / 1000.0);
    }
    return 0;
}
