// Fuzzes the reading of /proc/self/mountinfo text. On every input: "/" comes
// first when it is there, the other mount points follow in strictly rising
// byte order (each once), no pseudo or memory file system is listed below
// "/", and the volumes are those that a plain reading of the lines gives:
// fields split at blanks, the mount point the fifth, type and source the two
// after the "-" field, \ooo escapes undone, a later mount on a point hiding
// an earlier one.
#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "fuzz_check.h"
#include "platform/fs_mounts.h"

namespace {

using namespace zandor;
using namespace zandor::fuzz;

std::string unescaped(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const auto digit = [&](std::size_t at, char high) {
                return field[at] >= '0' && field[at] <= high;
            };
            if (digit(i + 1, '3') && digit(i + 2, '7') && digit(i + 3, '7')) {
                out.push_back(
                    static_cast<char>(std::stoi(std::string(field.substr(i + 1, 3)), nullptr, 8)));
                i += 3;
                continue;
            }
        }
        out.push_back(field[i]);
    }
    return out;
}

using Volume = std::tuple<std::string, std::string, std::string>;  // point, type, source

std::vector<Volume> plainReading(std::string_view text) {
    std::map<std::string, Volume> byPoint;
    std::size_t lineStart = 0;
    while (lineStart < text.size()) {
        std::size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) {
            lineEnd = text.size();
        }
        std::vector<std::string_view> fields;
        std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        while (!line.empty()) {
            const std::size_t blank = line.find(' ');
            const std::string_view field = line.substr(0, blank);
            if (!field.empty()) {
                fields.push_back(field);
            }
            line = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
        }
        std::size_t dash = 0;
        while (dash < fields.size() && fields[dash] != "-") {
            ++dash;
        }
        if (fields.size() < 5 || dash + 2 >= fields.size()) {
            continue;
        }
        Volume volume{unescaped(fields[4]), unescaped(fields[dash + 1]),
                      unescaped(fields[dash + 2])};
        if (std::get<0>(volume) != "/" && isPseudoFileSystemType(std::get<1>(volume))) {
            continue;
        }
        byPoint[std::get<0>(volume)] = volume;
    }
    std::vector<Volume> volumes;
    for (const auto& [point, volume] : byPoint) {
        volumes.push_back(volume);
    }
    return volumes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<MountedVolume> volumes = parseMountInfo(text);

    for (std::size_t i = 0; i < volumes.size(); ++i) {
        const std::string& point = volumes[i].mountPoint;
        FUZZ_CHECK(point != "/" || i == 0, "\"/\" not first");
        FUZZ_CHECK(point == "/" || !isPseudoFileSystemType(volumes[i].fsType), volumes[i].fsType);
        if (i > 0 && volumes[i - 1].mountPoint != "/") {
            FUZZ_CHECK(volumes[i - 1].mountPoint < point,
                       hexOf(volumes[i - 1].mountPoint) + " before " + hexOf(point));
        }
    }

    std::vector<Volume> got;
    for (const auto& volume : volumes) {
        got.emplace_back(volume.mountPoint, volume.fsType, volume.source);
    }
    std::sort(got.begin(), got.end());
    FUZZ_CHECK(got == plainReading(text), "volumes differ from a plain reading of " + hexOf(text));
    return 0;
}
