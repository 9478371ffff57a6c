#include "stand_in_desktop.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace zandor::test {

namespace {

void makeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
        throw std::runtime_error("stand-in desktop: mkdir " + path);
    }
}

void write(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
        throw std::runtime_error("stand-in desktop: write " + path);
    }
}

void setVariable(const char* name, const std::string& value) {
    if (::setenv(name, value.c_str(), 1) != 0) {
        throw std::runtime_error(std::string("stand-in desktop: setenv ") + name);
    }
}

std::string stemOf(const char* program) {
    const std::string id(program);
    return id.substr(0, id.find('.'));
}

std::string desktopFile(const std::string& name, const std::string& exec, const char* icon,
                        const char* types) {
    // X-GIO-NoFuse keeps %U as the URIs given rather than local paths.
    return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + exec + "\nIcon=" + icon +
           "\nMimeType=" + types + "\nX-GIO-NoFuse=true\n";
}

}  // namespace

StandInDesktop::StandInDesktop(const std::string& root) : m_root(root) {
    for (const char* folder :
         {"/data", "/data/applications", "/config", "/system", "/bin", "/records"}) {
        makeFolder(m_root + folder);
    }
    // The program: appends each URI it gets to the record named first, one
    // a line, and a line "--" after the last, in one write.
    const std::string recorder = m_root + "/bin/record";
    write(recorder, "#!/bin/sh\nrecord=$1\nshift\nprintf '%s\\n' \"$@\" -- >> \"$record\"\n");
    ::chmod(recorder.c_str(), 0755);
    const auto exec = [&](const char* program) {
        return "\"" + recorder + "\" \"" + recordOf(program) + "\" %U";
    };
    const std::string applications = m_root + "/data/applications/";
    write(applications + kRecorder,
          desktopFile(kRecorderName, exec(kRecorder), "text-x-generic",
                      "text/plain;inode/directory;application/octet-stream;"));
    write(applications + kEditor, desktopFile(kEditorName, exec(kEditor),
                                              (m_root + "/bin/editor.png").c_str(), "text/plain;"));
    write(applications + "mimeapps.list", std::string("[Default Applications]\ntext/plain=") +
                                              kRecorder + "\ninode/directory=" + kRecorder +
                                              "\napplication/octet-stream=" + kRecorder + "\n");
    // What update-desktop-database would write: GIO lists the programs of a
    // type from it. The registered program comes last here, so that only its
    // registration puts it first.
    write(applications + "mimeinfo.cache", std::string("[MIME Cache]\ntext/plain=") + kEditor +
                                               ";" + kRecorder + ";\ninode/directory=" + kRecorder +
                                               ";\napplication/octet-stream=" + kRecorder + ";\n");
    // The system's data folders only for the shared MIME database: the
    // machine's programs stay out of sight.
    if (::symlink("/usr/share/mime", (m_root + "/system/mime").c_str()) != 0 && errno != EEXIST) {
        throw std::runtime_error("stand-in desktop: link the MIME database");
    }
    setVariable("HOME", m_root);
    setVariable("XDG_DATA_HOME", m_root + "/data");
    setVariable("XDG_DATA_DIRS", m_root + "/system");
    setVariable("XDG_CONFIG_HOME", m_root + "/config");
    setVariable("XDG_CONFIG_DIRS", m_root + "/config");
    ::unsetenv("XDG_CURRENT_DESKTOP");
}

std::string StandInDesktop::recordOf(const char* program) const {
    return m_root + "/records/" + stemOf(program);
}

std::vector<Launch> StandInDesktop::launchesOf(const char* program) const {
    std::vector<Launch> launches;
    std::ifstream in(recordOf(program), std::ios::binary);
    Launch launch;
    for (std::string line; std::getline(in, line);) {
        if (line == "--") {
            launches.push_back(std::move(launch));
            launch.clear();
        } else {
            launch.push_back(line);
        }
    }
    std::sort(launches.begin(), launches.end());
    return launches;
}

std::vector<Launch> StandInDesktop::waitForLaunches(const char* program, std::size_t count) const {
    // The programs run on their own; a few seconds is ample for a shell
    // script to append a line.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    std::vector<Launch> launches = launchesOf(program);
    while (launches.size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        launches = launchesOf(program);
    }
    return launches;
}

void StandInDesktop::forgetLaunches() const {
    for (const char* program : {kRecorder, kEditor}) {
        ::unlink(recordOf(program).c_str());
    }
}

}  // namespace zandor::test
