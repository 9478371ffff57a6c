// The fixed choices of the criteria form's size and date lists, in the order
// they show (the type list shows search/file_types.h).
#pragma once

#include <array>
#include <string_view>

#include "search/live_conditions.h"

namespace zandor {

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
