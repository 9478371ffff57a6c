// The fixed choices of the criteria form's size and date lists, in the order
// they show (the type list shows search/file_types.h).
#pragma once

#include <QtGlobal>
#include <array>
#include <string_view>

#include "search/live_conditions.h"

namespace zandor {

// The context under which the catalogues hold these lists' words.
inline constexpr const char* kFormListContext = "zandor::FormLists";

// One entry of a list: the text it shows (in English; the form shows it
// translated) and the value it stands for.
template <typename Value>
struct ListChoice {
    std::string_view text;
    Value value;
};

inline constexpr std::array<ListChoice<SizeRelation>, 3> kSizeRelationChoices{{
    {QT_TRANSLATE_NOOP("zandor::FormLists", "at least"), SizeRelation::AtLeast},
    {QT_TRANSLATE_NOOP("zandor::FormLists", "at most"), SizeRelation::AtMost},
    {QT_TRANSLATE_NOOP("zandor::FormLists", "equal"), SizeRelation::Equal},
}};

inline constexpr std::array<ListChoice<DateKind>, 2> kDateKindChoices{{
    {QT_TRANSLATE_NOOP("zandor::FormLists", "files Created"), DateKind::Created},
    {QT_TRANSLATE_NOOP("zandor::FormLists", "files Modified"), DateKind::Modified},
}};

}  // namespace zandor
