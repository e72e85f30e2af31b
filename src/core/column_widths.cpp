#include "core/column_widths.h"

#include "core/scanner.h"

namespace tervix::core {

QString columnWidthsText(const QList<int> &widths)
{
    QString out;
    for (int w : widths) {
        out += QString::number(w);
        out += u';';
    }
    return out;
}

QList<std::optional<int>> parseColumnWidths(const QString &text, int columnCount)
{
    QList<std::optional<int>> out;
    Scanner s(text);
    for (int i = 0; i + 1 < columnCount; ++i) {
        bool ok = false;
        const int w = s.before(u";").trimmed().toInt(&ok);
        if (ok) {
            // A negative width would mean something else to the view; the
            // entry still counts as read so later columns stay in place.
            out.append(w >= 0 ? std::optional<int>(w) : std::nullopt);
            s.cutThrough(u";");
        } else {
            out.append(std::nullopt);
        }
    }
    return out;
}

} // namespace tervix::core
