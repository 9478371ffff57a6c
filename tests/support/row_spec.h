// A row as a test describes it (name, path, type and numbers), handed to the
// results pane or the stores as the walk hands on an entry: the stores keep
// rows compactly and make them only from entries.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "search/sinks.h"

namespace zandor::test {

struct RowSpec {
    std::string name;
    std::string path;
    std::string_view type = kFileType;
    std::int64_t created = 0;
    std::int64_t lastWrite = 0;
    std::uint64_t size = 0;
    bool described = true;

    // Views these texts: valid while this description lives.
    operator FoundEntry() const {  // NOLINT(google-explicit-constructor): stands for an entry
        return FoundEntry{name, path, size, type != kFileType, created, lastWrite, described};
    }
};

}  // namespace zandor::test
