// The properties report of one item: its type, where it is, its size and
// what it contains, as four lines of text. The window shows it in a message
// box; zandor-find --properties prints it.
#pragma once

#include <atomic>
#include <string>
#include <string_view>

#include "platform/fs_count.h"

namespace zandor {

inline constexpr std::string_view kPropertiesCaption = "Properties";

// "%d Files   :   %d Folders": the item itself, counted as a folder, is not
// among the folders it contains.
std::string contentsText(const ContentCount& count);

// The four lines, joined exactly: "Type : \t\t" type, "\nLocation : \t" path,
// "\nSize : \t\t" size, "\nContains : \t" contents.
std::string propertiesReportText(std::string_view path, bool isFolder, const ContentCount& count);

// Decides the type and counts the item at path, then joins the report. The
// count stops early once cancel is set; its report is then not whole.
std::string propertiesReportOf(const std::string& path, const std::atomic<bool>* cancel = nullptr);

}  // namespace zandor
