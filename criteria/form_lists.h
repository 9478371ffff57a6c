// The fixed choices of the criteria form's lists, in the order they show.
#pragma once

#include <array>
#include <string_view>

namespace zandor {

struct FileTypeChoice {
    std::string_view description;
    std::string_view extension;  // lower case, without the dot
};

// Shown in this order; each description stays paired with its extension
// however the list is sorted.
inline constexpr std::array<FileTypeChoice, 14> kFileTypeChoices{{
    {"Bitmap Image", "bmp"},
    {"C Source File", "c"},
    {"C/C++ Header File", "h"},
    {"C++ Source File", "c++"},
    {"CPP Source File", "cpp"},
    {"Help File", "hlp"},
    {"Hyper Text", "html"},
    {"Icon Files", "ico"},
    {"java Source", "java"},
    {"Resource Script", "rc"},
    {"VC++ Project File", "dsp"},
    {"VC++ Workspace", "dsw"},
    {"XML", "xml"},
    {"ZIP Acrive", "zip"},
}};

// Indexed as the walk reads them: 0 at least, 1 at most, 2 equal.
inline constexpr std::array<std::string_view, 3> kSizeRelationChoices{"at least", "at most",
                                                                      "equal"};

// Index 0 tests the creation time, 1 the last write.
inline constexpr std::array<std::string_view, 2> kDateKindChoices{"files Created",
                                                                  "files Modified"};

}  // namespace zandor
