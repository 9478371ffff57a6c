// Fuzzes the properties report, the size text and condition, and the time
// text. On every input: the report is its four lines with the path's exact
// bytes and the counts as numbers; the size text is the count of started
// kilobytes; the size condition follows its three relations; and the time
// text of a run of times (near one another, so that the text of a remembered
// day is used) equals the C library's local time written out in full.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "platform/fs_time.h"
#include "reference_text.h"
#include "results/properties_report.h"
#include "search/match.h"
#include "search/size_text.h"

namespace {

using namespace zandor;
using namespace zandor::fuzz;

void checkReport(const std::string& path, bool isFolder, const ContentCount& count) {
    const std::string report = propertiesReportText(path, isFolder, count);
    const std::uint64_t folders = count.folders == 0 ? 0 : count.folders - 1;
    const std::string expected =
        std::string("Type : \t\t") + (isFolder ? "File Folder" : "File") + "\nLocation : \t" +
        path + "\nSize : \t\t" + referenceSizeText(count.bytes) + "\nContains : \t" +
        std::to_string(count.files) + " Files   :   " + std::to_string(folders) + " Folders";
    FUZZ_CHECK(report == expected, hexOf(report));
}

void checkSize(std::uint64_t bytes, std::uint64_t more) {
    FUZZ_CHECK(sizeText(bytes) == referenceSizeText(bytes), std::to_string(bytes));
    std::string appended = "x";
    appendSizeText(appended, bytes);
    FUZZ_CHECK(appended == "x" + referenceSizeText(bytes), std::to_string(bytes));
    // More bytes never show fewer kilobytes.
    const std::uint64_t larger = bytes + more < bytes ? UINT64_MAX : bytes + more;
    FUZZ_CHECK(sizeInKB(larger) >= sizeInKB(bytes), std::to_string(bytes));
}

void checkSizeCondition(int relation, std::int64_t valueKB, std::uint64_t bytes) {
    const std::uint64_t kb = bytes == 0 ? 0 : (bytes >> 10) + 1;
    // A negative number on the form, read as unsigned, is above every size.
    const auto value = static_cast<std::uint64_t>(valueKB);
    bool expected = true;
    if (relation == 0) {
        expected = kb > value;
    } else if (relation == 1) {
        expected = kb < value;
    } else if (relation == 2) {
        expected = kb == value;
    }
    FUZZ_CHECK(
        sizeMatches(static_cast<SizeRelation>(relation), valueKB, bytes) == expected,
        std::to_string(relation) + " " + std::to_string(valueKB) + " " + std::to_string(bytes));
}

void checkTimes(FuzzedDataProvider& input) {
    std::int64_t secs = input.ConsumeIntegral<std::int64_t>();
    for (;;) {
        const std::string text = timeText(secs);
        FUZZ_CHECK(text == referenceTimeText(secs),
                   std::to_string(secs) + " -> " + text + ", expected " + referenceTimeText(secs));
        if (input.remaining_bytes() == 0) {
            break;
        }
        // The next time: mostly within a day or two of this one.
        const std::int64_t step = input.ConsumeIntegralInRange<std::int64_t>(-200000, 200000);
        if (__builtin_add_overflow(secs, step, &secs)) {
            secs = input.ConsumeIntegral<std::int64_t>();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    useTestTimeZone();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string path = input.ConsumeRandomLengthString(512);
    ContentCount count;
    count.folders = input.ConsumeIntegral<std::uint64_t>();
    count.files = input.ConsumeIntegral<std::uint64_t>();
    count.bytes = input.ConsumeIntegral<std::uint64_t>();
    const bool isFolder = input.ConsumeBool();
    checkReport(path, isFolder, count);
    checkSize(count.bytes, count.files);
    const int relation = input.ConsumeIntegralInRange(-1, 3);
    const auto valueKB = input.ConsumeIntegral<std::int64_t>();
    checkSizeCondition(relation, valueKB, count.bytes);
    checkTimes(input);
    return 0;
}
