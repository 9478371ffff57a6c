// Command identifiers of the menus, the toolbar and the accelerator, kept
// with the numbers the resources give them so that every route (menu bar,
// toolbar, context menu, keyboard) names a command the same way.
#pragma once

namespace zandor::cmd {

// Sorting: the six columns, in column order.
inline constexpr unsigned kSortByName = 32782;
inline constexpr unsigned kSortByPath = 32783;
inline constexpr unsigned kSortBySize = 32784;
inline constexpr unsigned kSortByType = 32785;
inline constexpr unsigned kSortByCreation = 32786;
inline constexpr unsigned kSortByLastWrite = 32787;

// The four views of the result list.
inline constexpr unsigned kViewLargeIcons = 32796;
inline constexpr unsigned kViewSmallIcons = 32797;
inline constexpr unsigned kViewList = 59410;
inline constexpr unsigned kViewDetails = 59411;

}  // namespace zandor::cmd
