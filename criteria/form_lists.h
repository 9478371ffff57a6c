// The fixed choices of the criteria form's size and date lists, in the order
// they show (the type list shows search/file_types.h).
#pragma once

#include <array>
#include <string_view>

#include "search/live_conditions.h"

namespace zandor {

// One entry of a list: the text it shows and the value it stands for.
template <typename Value>
struct ListChoice {
    std::string_view text;
    Value value;
};

inline constexpr std::array<ListChoice<SizeRelation>, 3> kSizeRelationChoices{{
    {"at least", SizeRelation::AtLeast},
    {"at most", SizeRelation::AtMost},
    {"equal", SizeRelation::Equal},
}};

inline constexpr std::array<ListChoice<DateKind>, 2> kDateKindChoices{{
    {"files Created", DateKind::Created},
    {"files Modified", DateKind::Modified},
}};

}  // namespace zandor
