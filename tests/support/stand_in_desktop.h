// A desktop of the test's own for the programs GIO starts: two stand-in
// programs that record the URIs they are started on, the registered program
// for the common types, and none of the machine's own programs or settings.
// GLib reads the XDG folders once a process, at their first use, so the
// desktop must be entered before anything asks GIO about programs or files.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zandor::test {

// The URIs one start of a program received, in the order it got them.
using Launch = std::vector<std::string>;

class StandInDesktop {
  public:
    // The registered program of text/plain (and so of every text type),
    // inode/directory and application/octet-stream.
    static constexpr const char* kRecorder = "zandor-test-recorder.desktop";
    static constexpr const char* kRecorderName = "Zandor Test Recorder";
    // A second program for text/plain only.
    static constexpr const char* kEditor = "zandor-test-editor.desktop";
    static constexpr const char* kEditorName = "Zandor Test Editor";

    // Writes the desktop below root (root/data is XDG_DATA_HOME, so the home
    // Trash is root/data/Trash) and points HOME and the XDG variables at it.
    explicit StandInDesktop(const std::string& root);

    // Every start of the program recorded so far, ordered by URIs: starts
    // are separate processes, so the order they record in is the kernel's.
    std::vector<Launch> launchesOf(const char* program) const;
    // Waits a few seconds at most for count starts of the program to be
    // recorded, and gives every start recorded by then.
    std::vector<Launch> waitForLaunches(const char* program, std::size_t count) const;
    // Forgets the starts recorded so far.
    void forgetLaunches() const;

  private:
    std::string recordOf(const char* program) const;

    std::string m_root;
};

}  // namespace zandor::test
