#include "core/ont_list_texts.h"

#include "core/ont_record.h"
#include "core/scanner.h"

namespace tervix::core {

QString captionWithSuffix(const QString &caption, const QString &suffix)
{
    QString c = caption;
    if (c.contains(u"#."))
        c = textBefore(c, u" #.");
    return c + QStringLiteral(" #.") + suffix;
}

QString listCaption(const QString &prefix, int rows)
{
    return prefix + u' ' + QString::number(rows) + u' ';
}

BasicCellColours basicCellColours(QStringView active, QStringView gepon, int image)
{
    BasicCellColours k;
    if (active == u"1") {
        k.text = 0xC0C0C0;
        k.background = 0x000000;
        return k;
    }
    if (gepon.contains(u"Normal"))
        k.background = 0xAEFFAE;
    if (gepon.contains(u"Bad"))
        k.background = 0xD7B0B0;
    if (gepon.contains(u"Critical"))
        k.background = image == RowImage::Offline ? 0xD6D6D6 : 0xFF9797;
    if (gepon.contains(u"off"))
        k.background = 0xD6D6D6;
    return k;
}

bool isSaveReminder(QStringView memo)
{
    return memo.contains(u"save data before", Qt::CaseInsensitive);
}

} // namespace tervix::core
