// Command identifiers of the menus, the toolbar and the accelerator, kept
// with the numbers the resources give them so that every route (menu bar,
// toolbar, context menu, keyboard) names a command the same way.
#pragma once

namespace zandor::cmd {

// File actions and the application.
inline constexpr unsigned kOpenContainingFolder = 32771;
inline constexpr unsigned kOpen = 32772;
inline constexpr unsigned kRename = 32792;
inline constexpr unsigned kDelete = 32793;
inline constexpr unsigned kProperties = 32794;
inline constexpr unsigned kCopyPath = 32809;     // the selected paths to the clipboard
inline constexpr unsigned kSaveResults = 32810;  // every listed row to a file
inline constexpr unsigned kExit = 32795;
inline constexpr unsigned kViewStatusBar = 59393;
inline constexpr unsigned kStopSearch = 1005;  // the Stop button, and Esc

// Selection, from the main menu and from the context menu.
inline constexpr unsigned kSelectAll = 32806;
inline constexpr unsigned kInvertSelection = 32807;
inline constexpr unsigned kSelectPage = 32808;
inline constexpr unsigned kContextSelectAll = 32789;
inline constexpr unsigned kContextInvertSelection = 32790;
inline constexpr unsigned kContextSelectPage = 32791;

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
