// The kinds of file the type condition knows, in the order the form lists
// them: fourteen by extension, then five broad kinds found through the names'
// MIME types. The form, zandor-find's parser and its help all read these.
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

// A broad kind: the words shown for it and the word the type condition holds
// for it (where an extension stands for the others). No word is one of the
// extensions above, so the condition's text says which of the two it is.
struct FileKindName {
    std::string_view description;
    std::string_view word;
};

inline constexpr std::array<FileKindName, 5> kFileKinds{{
    {"Documents", "documents"},
    {"Pictures", "pictures"},
    {"Music", "music"},
    {"Videos", "videos"},
    {"Archives", "archives"},
}};

}  // namespace zandor
