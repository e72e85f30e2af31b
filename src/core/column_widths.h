#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace tervix::core {

// "d-size.ph": the pixel widths of advanced's columns but the last, each followed
// by ";", on one line. One file for all OLTs.
QString columnWidthsText(const QList<int> &widths);

// The widths to apply to columns 0 .. columnCount - 2; an entry that is not a
// whole number leaves its column unchanged and is not consumed, so every
// column after it keeps its width too (the console has always read it so).
QList<std::optional<int>> parseColumnWidths(const QString &text, int columnCount);

} // namespace tervix::core
