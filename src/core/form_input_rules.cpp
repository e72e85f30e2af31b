#include "core/form_input_rules.h"

#include "core/ont_data_file.h"

namespace tervix::core {

bool startsWithDigit(QStringView field)
{
    return !field.isEmpty() && field.front() >= u'0' && field.front() <= u'9';
}

bool isPlainNumber(QStringView field)
{
    if (field.isEmpty())
        return false;
    for (QChar c : field) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

bool isForbiddenInName(QChar c)
{
    if (c == u'"')
        return true;
    const QChar::Category cat = c.category();
    return cat == QChar::Other_Control || cat == QChar::Separator_Line || cat == QChar::Separator_Paragraph;
}

QString textError(QStringView text)
{
    for (QChar c : text) {
        if (c == u'"')
            return QStringLiteral("cudzyslow / double quote");
        if (isForbiddenInName(c))
            return QStringLiteral("znak sterujacy (np. Enter) / control character (e.g. Enter)");
    }
    if (text.contains(u"*^") || !isStorableField(text))
        return QStringLiteral("^! lub *^ / ^! or *^");
    return QString();
}

QString nameError(QStringView name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("pusta nazwa / empty name");
    return textError(name);
}

bool isValidSerialOrMac(QStringView mac)
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

QString makeFit(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (isForbiddenInName(c))
            c = u' ';
    }
    out.replace(QStringLiteral("^!"), QStringLiteral("^ !"));
    out.replace(QStringLiteral("*^"), QStringLiteral("* ^"));
    return out;
}

} // namespace tervix::core
