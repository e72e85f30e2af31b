#include "core/form_input_rules.h"

#include "core/ont_data_file.h"
#include "core/windows1250.h"

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

namespace {
bool isControl(QChar c)
{
    const QChar::Category cat = c.category();
    return cat == QChar::Other_Control || cat == QChar::Separator_Line || cat == QChar::Separator_Paragraph;
}
} // namespace

bool isForbiddenInName(QChar c)
{
    return c == u'"' || c == u'?' || isControl(c) || !isWindows1250Encodable(c);
}

QString textError(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"')
            return QStringLiteral("cudzyslow / double quote");
        if (c == u'?')
            return QStringLiteral("znak zapytania ? (pomoc OLT) / question mark ? (the OLT's help key)");
        if (isControl(c))
            return QStringLiteral("znak sterujacy (np. Enter) / control character (e.g. Enter)");
        if (!isWindows1250Encodable(c)) {
            // A character outside the basic plane comes as two halves; show it whole.
            const qsizetype n = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            return QStringLiteral("znak spoza Windows-1250 / a character Windows-1250 cannot hold: ")
                + text.mid(i, n).toString();
        }
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
