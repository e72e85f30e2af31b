#pragma once

#include <QColor>

namespace tervix::ui {

// Colours are written as the toolkit's BGR integers (blue in the high byte,
// red in the low one), as the console's texts and files have always had them.
QColor colorFromBgr(int bgr);
// A 0xRRGGBB triple.
QColor colorFromRgb(unsigned rgb);

} // namespace tervix::ui
