// Fuzzes the contents test: for any bytes, any needle, either letter-case
// rule and any cut of the bytes into pieces, the streaming search says found
// exactly when a plain reference does (fold the whole stream and the needle
// as names are folded, then look with find), and the bare literal finder
// agrees with find on the stream as it is.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "search/contents_search.h"
#include "search/literal_finder.h"
#include "search/name_fold.h"

namespace {

using namespace zandor;

bool reference(const std::string& stream, const std::string& needle, bool caseSensitive) {
    if (caseSensitive) {
        return stream.find(needle) != std::string::npos;
    }
    std::string foldedStream;
    std::string foldedNeedle;
    foldCase(stream, foldedStream);
    foldCase(needle, foldedNeedle);
    return foldedStream.find(foldedNeedle) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool caseSensitive = input.ConsumeBool();
    std::string needle = input.ConsumeRandomLengthString(64);
    if (needle.empty()) {
        needle = "a";
    }
    std::vector<std::size_t> pieces;
    for (int i = 0; i < 8 && input.remaining_bytes() > 16; ++i) {
        pieces.push_back(input.ConsumeIntegralInRange<std::size_t>(0, 300));
    }
    const std::string stream = input.ConsumeRemainingBytesAsString();

    ContentsSearch search(needle, caseSensitive);
    search.start();
    std::size_t at = 0;
    for (const std::size_t piece : pieces) {
        search.feed(std::string_view(stream).substr(std::min(at, stream.size()), piece));
        at += piece;
    }
    if (at < stream.size()) {
        search.feed(std::string_view(stream).substr(at));
    }
    const bool expected = reference(stream, needle, caseSensitive);
    FUZZ_CHECK(search.finish() == expected,
               "needle " + fuzz::hexOf(needle) + " stream " + fuzz::hexOf(stream));

    const bool exact = stream.find(needle) != std::string::npos;
    FUZZ_CHECK(LiteralFinder(needle, false).foundIn(stream) == exact,
               "needle " + fuzz::hexOf(needle) + " stream " + fuzz::hexOf(stream));
    return 0;
}
