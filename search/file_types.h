// The kinds of file the type condition knows, in the order the form lists
// them: fourteen by extension, then five broad kinds found through the names'
// MIME types. The form, zandor-find's parser and its help all read these.
#pragma once

#include <array>
#include <string_view>

// Marks a text the window shows in the user's language: the catalogue tools
// collect it under its context, and the window translates it where shown.
// Here, without Qt, it is the text itself.
#define ZANDOR_TRANSLATE_NOOP(context, text) text

namespace zandor {

// The context under which the window's catalogues hold the lists' words.
inline constexpr const char* kTypeListContext = "zandor::TypeList";

struct FileType {
    std::string_view description;
    std::string_view extension;  // lower case, without the dot
};

inline constexpr std::array<FileType, 14> kFileTypes{{
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "Bitmap Image"), "bmp"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "C Source File"), "c"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "C/C++ Header File"), "h"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "C++ Source File"), "c++"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "CPP Source File"), "cpp"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "Help File"), "hlp"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "Hyper Text"), "html"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "Icon Files"), "ico"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "java Source"), "java"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "Resource Script"), "rc"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "VC++ Project File"), "dsp"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "VC++ Workspace"), "dsw"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "XML"), "xml"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "ZIP Acrive"), "zip"},
}};

// A broad kind: the words shown for it and the word the type condition holds
// for it (where an extension stands for the others). No word is one of the
// extensions above, so the condition's text says which of the two it is.
struct FileKindName {
    std::string_view description;
    std::string_view word;
};

inline constexpr std::array<FileKindName, 5> kFileKinds{{
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "Documents"), "documents"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "Pictures"), "pictures"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "Music"), "music"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "Videos"), "videos"},
    {ZANDOR_TRANSLATE_NOOP("zandor::TypeList", "Archives"), "archives"},
}};

}  // namespace zandor
