// What the sort and view commands of the menus, the toolbar and the context
// menu ask of the results pane: a command identifier becomes the sort key or
// the view it names, so that no command number reaches the pane.
#pragma once

#include <optional>

#include "results/row_compare.h"
#include "results/view_type.h"

namespace zandor {

// The key of a sort command (32782-32787, in column order); nothing for any
// other identifier.
std::optional<SortKey> sortKeyOfCommand(unsigned id);

// The view of a view command (32796, 32797, 59410, 59411); nothing for any
// other identifier.
std::optional<ViewType> viewTypeOfCommand(unsigned id);

}  // namespace zandor
