// The criteria form's pictures: the magnifying glass beside the title, and the
// drive and folder icons of the look-in list. Taken from the icon theme, with
// a drawn picture where the theme has none.
#pragma once

#include <QIcon>

namespace zandor {

QIcon driveIcon();
QIcon folderIcon();
QIcon searchIcon();

}  // namespace zandor
