// What the benchmarks that measure memory share: the process's resident
// memory, and (for those with a window) waiting in the event loop until a
// condition holds.
#pragma once

#include <fstream>
#include <functional>
#include <string>

#ifdef QT_CORE_LIB
#include <QEventLoop>
#include <QObject>
#include <QTimer>
#endif

namespace zandor::bench {

// VmRSS of this process in KiB, or -1 when /proc does not tell.
inline long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// The same in MB (10^6 bytes).
inline double residentMB() {
    return static_cast<double>(residentKiB()) * 1024 / 1e6;
}

#ifdef QT_CORE_LIB
// Runs the event loop until done() holds, asking every 5 ms.
inline void waitUntil(const std::function<bool()>& done) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    poll.start(5);
    loop.exec();
}
#endif

}  // namespace zandor::bench
