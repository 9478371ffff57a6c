// The fixed choices of the criteria form's lists, in the order they show.
#pragma once

#include <array>
#include <string_view>

#include "search/live_conditions.h"

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

struct SizeRelationChoice {
    std::string_view text;
    SizeRelation relation;
};

inline constexpr std::array<SizeRelationChoice, 3> kSizeRelationChoices{{
    {"at least", SizeRelation::AtLeast},
    {"at most", SizeRelation::AtMost},
    {"equal", SizeRelation::Equal},
}};

struct DateKindChoice {
    std::string_view text;
    DateKind kind;
};

inline constexpr std::array<DateKindChoice, 2> kDateKindChoices{{
    {"files Created", DateKind::Created},
    {"files Modified", DateKind::Modified},
}};

}  // namespace zandor
