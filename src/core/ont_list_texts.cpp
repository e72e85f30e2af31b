#include "core/ont_list_texts.h"

#include "core/ont_list_row.h"
#include "core/scanner.h"

namespace tervix::core {

QString a1_zmien_nazwe(const QString &caption, const QString &wzm_nazwa)
{
    QString c = caption;
    if (c.contains(u"#."))
        c = textBefore(c, u" #.");
    return c + QStringLiteral(" #.") + wzm_nazwa;
}

QString gb_dodane_caption(const QString &list_caption_prefix, int rows)
{
    return list_caption_prefix + u' ' + QString::number(rows) + u' ';
}

Lv1bKolory lv1b_kolory_komorki(QStringView active, QStringView gepon, int image)
{
    Lv1bKolory k;
    if (active == u"1") {
        k.tekst = 0xC0C0C0;
        k.tlo = 0x000000;
        return k;
    }
    if (gepon.contains(u"Normal"))
        k.tlo = 0xAEFFAE;
    if (gepon.contains(u"Bad"))
        k.tlo = 0xD7B0B0;
    if (gepon.contains(u"Critical"))
        k.tlo = image == obraz::Offline ? 0xD6D6D6 : 0xFF9797;
    if (gepon.contains(u"off"))
        k.tlo = 0xD6D6D6;
    return k;
}

bool czy_przypomnienie_save(QStringView memo)
{
    return memo.contains(u"save data before", Qt::CaseInsensitive);
}

} // namespace tervix::core
