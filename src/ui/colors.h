#pragma once

#include <QColor>

namespace tervix::ui {

// Colours are written as the toolkit's BGR integers (blue in the high byte,
// red in the low one), as the console's texts and files have always had them.
QColor kolorBgr(int bgr);
// A 0xRRGGBB triple.
QColor kolorRgb(unsigned rgb);

} // namespace tervix::ui
