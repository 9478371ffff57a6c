// Ctrl-C at any moment of zandor-find, from the first instruction of the
// process to the middle of its walk: every run must end, either killed by
// the signal before it has written anything (the signal came before main
// installed its handler) or by itself with status 130 and whole rows, as
// many as its completion line counts.
#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "run_process.h"
#include "temp_tree.h"
#include "tsv_decode.h"

namespace zandor {
namespace {

using test::TempTree;

// 8,040 entries whose tsv rows make more than a megabyte, far more than the
// program's buffer and a pipe hold together: since the test reads nothing
// before the signal, the program cannot have ended before it.
void makeTree(const TempTree& tree) {
    for (int folder = 0; folder < 40; ++folder) {
        for (int file = 0; file < 200; ++file) {
            tree.file("folder-with-a-longish-name-" + std::to_string(folder) +
                      "/file-with-a-name-long-enough-to-fill-rows-" + std::to_string(file) +
                      ".txt");
        }
    }
}

struct RunOutcome {
    bool killedBySignal = false;
    std::string problem;  // empty when the run ended as it must
};

RunOutcome checkRun(const test::ProcessResult& run, const std::string& root) {
    RunOutcome outcome;
    if (run.signal != 0) {
        outcome.killedBySignal = true;
        if (run.signal != SIGINT) {
            outcome.problem = "killed by signal " + std::to_string(run.signal);
        } else if (!run.out.empty() || !run.err.empty()) {
            outcome.problem = "killed by SIGINT after writing";
        }
        return outcome;
    }
    if (run.exitCode != 130) {
        outcome.problem = "exit status " + std::to_string(run.exitCode) + ": " + run.err;
        return outcome;
    }
    // Whole rows: every line has its six fields and a path below the root.
    std::size_t rows = 0;
    std::string_view out = run.out;
    while (!out.empty()) {
        const std::size_t end = out.find('\n');
        if (end == std::string_view::npos) {
            outcome.problem = "a torn last row";
            return outcome;
        }
        const auto fields = test::splitTsvLine(out.substr(0, end));
        const auto path = fields.size() == 6 ? test::decodeTsvField(fields[1]) : std::nullopt;
        if (!path || !path->starts_with(root + "/")) {
            outcome.problem = "a broken row: " + std::string(out.substr(0, end));
            return outcome;
        }
        ++rows;
        out.remove_prefix(end + 1);
    }
    // The completion line ends standard error and counts exactly these rows.
    const std::string& err = run.err;
    const std::size_t lastLine = err.rfind('\n', err.size() >= 2 ? err.size() - 2 : 0);
    const std::string completion = err.substr(lastLine == std::string::npos ? 0 : lastLine + 1);
    unsigned long files = 0;
    unsigned long folders = 0;
    if (std::sscanf(completion.c_str(), "Search Completed - Found %lu files and %lu folders",
                    &files, &folders) != 2 ||
        files + folders != rows) {
        outcome.problem = "completion '" + completion + "' for " + std::to_string(rows) + " rows";
    }
    return outcome;
}

TEST(InterruptStorm, CtrlCAtAnyMomentFromTheFirstInstructionEndsTheProgram) {
    TempTree tree;
    makeTree(tree);
    constexpr int kRuns = 120;
    int killed = 0;
    std::vector<std::string> problems;
    for (int run = 0; run < kRuns; ++run) {
        // The moments are spread evenly from 0 to 200 ms after the start: the
        // pause chooses when the fault strikes, it waits for nothing.
        const auto moment = std::chrono::microseconds(run * 200000 / (kRuns - 1));
        test::ChildProcess child({test::zandorFindPath(), tree.root()});
        if (moment.count() > 0) {
            std::this_thread::sleep_for(moment);
        }
        ASSERT_EQ(::kill(child.pid(), SIGINT), 0);
        const RunOutcome outcome = checkRun(child.finish(), tree.root());
        killed += outcome.killedBySignal ? 1 : 0;
        if (!outcome.problem.empty()) {
            problems.push_back("at " + std::to_string(moment.count()) + " us: " + outcome.problem);
        }
    }
    EXPECT_EQ(problems, std::vector<std::string>());
    RecordProperty("killed_before_main", killed);
    RecordProperty("stopped_with_130", kRuns - killed);
}

// Ctrl-C during the count of a properties report: a count cut short would
// report wrong totals, so a stopped count prints nothing and ends with 130; a
// count that ended before the signal prints its whole report, never a part.
TEST(InterruptStorm, CtrlCDuringAPropertiesCountPrintsNoPartReport) {
    TempTree tree;
    makeTree(tree);
    const test::ProcessResult whole =
        test::runProcess({test::zandorFindPath(), "--properties", tree.root()});
    ASSERT_EQ(whole.exitCode, 0);
    std::vector<std::string> problems;
    for (int run = 0; run < 40; ++run) {
        const auto moment = std::chrono::microseconds(run * 100000 / 39);  // 0 to 100 ms
        test::ChildProcess child({test::zandorFindPath(), "--properties", tree.root()});
        if (moment.count() > 0) {
            std::this_thread::sleep_for(moment);
        }
        ::kill(child.pid(), SIGINT);
        const test::ProcessResult ended = child.finish();
        const bool killedEarly = ended.signal == SIGINT && ended.out.empty() && ended.err.empty();
        // A signal just after the report was written still ends with 130.
        const bool stopped = ended.signal == 0 && ended.exitCode == 130 &&
                             (ended.out.empty() || ended.out == whole.out);
        const bool finished = ended.signal == 0 && ended.exitCode == 0 && ended.out == whole.out;
        if (!killedEarly && !stopped && !finished) {
            problems.push_back("at " + std::to_string(moment.count()) + " us: status " +
                               std::to_string(ended.exitCode) + ", output: " + ended.out);
        }
    }
    EXPECT_EQ(problems, std::vector<std::string>());
}

}  // namespace
}  // namespace zandor
