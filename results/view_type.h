// The four ways the results pane can show its rows.
#pragma once

namespace zandor {

enum class ViewType : unsigned { LargeIcons = 0, Details = 1, SmallIcons = 2, List = 3 };

}  // namespace zandor
