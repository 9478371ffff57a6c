// Connects the file, properties and selection commands to the results pane's
// handlers, and gives the pane its context menu, so that these commands reach
// the pane from the menu bar, the toolbar and the context menu alike.
#pragma once

namespace zandor {

struct FrameActions;
class CRightView;

void connectResultCommands(const FrameActions& actions, CRightView& view);

}  // namespace zandor
