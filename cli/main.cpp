// zandor-find: the search of the Zandor window, run from a terminal.
#include <signal.h>  // NOLINT(modernize-deprecated-headers): sigaction is POSIX, not in <csignal>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/row_writer.h"
#include "platform/fs_file.h"
#include "results/properties_report.h"
#include "results/result_stores.h"
#include "results/text_escape.h"
#include "search/search_criteria.h"
#include "search/search_request.h"
#include "search/search_thread.h"

namespace {

using namespace zandor;

// Ctrl-C (and SIGTERM) acts as Stop. main installs the handler before it does
// anything else; until then (while the loader and the C++ runtime start the
// program) the signal's default action ends the program at once, before a
// byte is written. The handler only notes the signal and sets the stop flag of
// the work under way, if any (both lock-free atomics), so the walk or the
// count unwinds and the program ends as after any other stop, with status
// 128 + the signal.
std::atomic<std::atomic<bool>*> g_stopFlag{nullptr};
static_assert(std::atomic<std::atomic<bool>*>::is_always_lock_free);
volatile std::sig_atomic_t g_interrupted = 0;  // the signal that asked, or 0

extern "C" void onInterrupt(int signal) {
    g_interrupted = signal;
    if (std::atomic<bool>* stop = g_stopFlag.load()) {
        stop->store(true, std::memory_order_relaxed);
    }
}

void installInterruptHandler() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

// While it lives, a signal sets stop; one that came before sets it at once.
class InterruptWatch {
  public:
    explicit InterruptWatch(std::atomic<bool>& stop) {
        g_stopFlag.store(&stop);
        if (g_interrupted != 0) {
            stop.store(true, std::memory_order_relaxed);
        }
    }
    ~InterruptWatch() { g_stopFlag.store(nullptr); }
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;
};

// The status to end with: 128 + the signal once one came, else status.
int unlessInterrupted(int status) {
    return g_interrupted != 0 ? 128 + g_interrupted : status;
}

// Messages and titles that cannot be written have no one left to tell.
void writeLine(int fd, std::string_view text) {
    std::string line(text);
    line.push_back('\n');
    static_cast<void>(writeAll(fd, line));
}

// Progress titles go to standard error, escaped like the tsv rows so that
// each title stays on one line.
class TitlePrinter : public ProgressSink {
  public:
    explicit TitlePrinter(bool enabled) : m_enabled(enabled) {}

    void onProgress(ProgressKind kind, std::string_view path) override {
        if (!m_enabled) {
            return;
        }
        m_line.clear();
        appendTsvEscaped(m_line, progressTitle(kind, path));
        m_line.push_back('\n');
        static_cast<void>(writeAll(STDERR_FILENO, m_line));
    }
    void onCompleted(const SearchCompletion& /*completion*/) override {}

  private:
    bool m_enabled;
    std::string m_line;
};

// With --sort the rows are gathered in the two stores during the walk and
// written after it, all folders and then all files, each store sorted.
class StoreCollector : public ResultSink {
  public:
    void AddResult(const FoundEntry& entry) override { m_stores.add(entry); }

    void writeSorted(RowWriter& writer, SortKey key, bool descending) {
        m_stores.SortStores(key, descending);
        for (const ResultRow* row : m_stores.listing()) {
            writer.AddResult(row->asEntry(row->path()));
        }
    }

  private:
    ResultStores m_stores;
};

int runSearch(const CliOptions& options) {
    const SearchRequest request{options.folder,  options.name,     options.caseSensitive,
                                options.threads, options.leaveOut, options.stayOnDisk};
    SearchCriteria criteria;
    request.fillCriteria(criteria);
    const LiveConditionsBoard live(options.conditions);

    RowWriter writer(STDOUT_FILENO, options.format);
    writer.stopOnFailure(&criteria.m_bStop);
    TitlePrinter titles(options.progress);
    StoreCollector collector;
    ResultSink& sink = options.sortKey ? static_cast<ResultSink&>(collector) : writer;
    const SearchCompletion completion = [&] {
        const InterruptWatch watch(criteria.m_bStop);
        return SearchThreadProc(criteria, live, sink, titles);
    }();
    if (options.sortKey) {
        collector.writeSorted(writer, *options.sortKey, options.sortDescending);
    }
    writer.flush();

    if (!completion.lookIn.ok()) {
        std::string message = "zandor-find: cannot read '";
        appendTsvEscaped(message, options.folder);
        message.append("': ").append(completion.lookIn.error().message);
        writeLine(STDERR_FILENO, message);
    }
    if (completion.nothingFound()) {
        writeLine(STDERR_FILENO, kNoItemsNotice);
    }
    if (!writer.written().ok()) {
        writeLine(STDERR_FILENO, "zandor-find: write error: " + writer.written().error().message);
    }
    if (completion.unreadableFiles > 0) {
        writeLine(STDERR_FILENO, "zandor-find: " + unreadableNotice(completion.unreadableFiles));
    }
    writeLine(STDERR_FILENO, completion.title());
    if (!completion.lookIn.ok() || !writer.written().ok()) {
        return 1;
    }
    return unlessInterrupted(0);
}

// A count cut short by a signal would report wrong totals: nothing is printed.
int printProperties(const std::string& path) {
    std::atomic<bool> stop{false};
    const std::string report = [&] {
        const InterruptWatch watch(stop);
        return propertiesReportOf(path, &stop);
    }();
    if (g_interrupted == 0) {
        writeLine(STDOUT_FILENO, report);
    }
    return unlessInterrupted(0);
}

}  // namespace

// An exception here (only bad_alloc can come) ends the program through
// std::terminate, which is what it should do.
int main(int argc, char** argv) {  // NOLINT(bugprone-exception-escape)
    installInterruptHandler();     // first: a signal from here on is a Stop
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = parseCliOptions(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        writeLine(STDERR_FILENO, "zandor-find: " + error->message);
        writeLine(STDERR_FILENO, "Try 'zandor-find --help' for more information.");
        return unlessInterrupted(2);
    }
    const auto& options = std::get<CliOptions>(parsed);
    if (options.help) {
        static_cast<void>(writeAll(STDOUT_FILENO, cliHelpText()));
        return unlessInterrupted(0);
    }
    if (options.version) {
        writeLine(STDOUT_FILENO, "zandor-find " ZANDOR_VERSION);
        return unlessInterrupted(0);
    }
    if (options.propertiesPath) {
        return printProperties(*options.propertiesPath);
    }
    return runSearch(options);
}
