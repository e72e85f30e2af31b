#pragma once

#include <QIcon>

namespace tervix::ui {

// The small row images of the ONT lists, by index of the main window's image
// list: 0 added by the form, 2 online, 3 offline, 6 freed. Other indexes and -1
// give no image.
QIcon rowImageIcon(int index);

} // namespace tervix::ui
