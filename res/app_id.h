// The application's reverse-DNS id: the name of its desktop entry, AppStream
// component and icon, and the desktop file name the window reports.
#pragma once

namespace zandor {

// packaging/CMakeLists.txt reads the id from this line: keep it on one line.
inline constexpr char kAppId[] = "org.zandor.Zandor";

}  // namespace zandor
