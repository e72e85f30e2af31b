#include "core/form_input_rules.h"

#include "core/ont_data_file.h"

namespace tervix::core {

bool zaczyna_sie_cyfra(QStringView pole)
{
    return !pole.isEmpty() && pole.front() >= u'0' && pole.front() <= u'9';
}

bool tylko_liczba(QStringView pole)
{
    if (pole.isEmpty())
        return false;
    for (QChar c : pole) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

bool znak_zabroniony_w_nazwie(QChar c)
{
    if (c == u'"')
        return true;
    const QChar::Category cat = c.category();
    return cat == QChar::Other_Control || cat == QChar::Separator_Line || cat == QChar::Separator_Paragraph;
}

QString blad_tekstu(QStringView tekst)
{
    for (QChar c : tekst) {
        if (c == u'"')
            return QStringLiteral("cudzyslow / double quote");
        if (znak_zabroniony_w_nazwie(c))
            return QStringLiteral("znak sterujacy (np. Enter) / control character (e.g. Enter)");
    }
    if (tekst.contains(u"*^") || !ont_data_pole_bezpieczne(tekst))
        return QStringLiteral("^! lub *^ / ^! or *^");
    return QString();
}

QString blad_nazwy(QStringView nazwa)
{
    if (nazwa.trimmed().isEmpty())
        return QStringLiteral("pusta nazwa / empty name");
    return blad_tekstu(nazwa);
}

bool poprawny_mac_sn(QStringView mac)
{
    if (mac.isEmpty())
        return false;
    for (QChar c : mac) {
        const bool ok = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')
            || c == u'-' || c == u':' || c == u'.';
        if (!ok)
            return false;
    }
    return true;
}

QString neutralizuj_tekst(const QString &tekst)
{
    QString out = tekst;
    for (QChar &c : out) {
        if (znak_zabroniony_w_nazwie(c))
            c = u' ';
    }
    out.replace(QStringLiteral("^!"), QStringLiteral("^ !"));
    out.replace(QStringLiteral("*^"), QStringLiteral("* ^"));
    return out;
}

} // namespace tervix::core
