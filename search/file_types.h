// The fourteen kinds of file the type condition knows, in the order the form
// lists them: the words shown for each and the extension the test compares.
// The form, zandor-find's parser and its help all read this one table.
#pragma once

#include <array>
#include <string_view>

namespace zandor {

struct FileType {
    std::string_view description;
    std::string_view extension;  // lower case, without the dot
};

inline constexpr std::array<FileType, 14> kFileTypes{{
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

}  // namespace zandor
