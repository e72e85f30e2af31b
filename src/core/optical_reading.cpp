#include "core/optical_reading.h"

#include "core/ont_info.h"

namespace tervix::core {

namespace {

constexpr QStringView kOntRxLabel = u"Rx optical power(dBm)";
constexpr QStringView kOltRxLabel = u"OLT Rx ONT optical power(dBm)";
constexpr QStringView kNotOnline = u"The ONT is not online";

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Lines of a text whichever line end it uses; the line excludes its CR/LF.
template<typename Visit>
void forEachLine(QStringView text, Visit visit)
{
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        if (!visit(text.mid(start, end - start)))
            return;
        if (end >= text.size())
            return;
        start = end + 1;
    }
}

// A stored whole number: optional "-", then digits only.
std::optional<int> wholeNumber(QStringView text)
{
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    if (i >= text.size() || text.size() > 6)
        return std::nullopt;
    for (qsizetype k = i; k < text.size(); ++k) {
        if (!isDigit(text[k]))
            return std::nullopt;
    }
    return text.toInt();
}

} // namespace

QString OpticalLevels::text() const
{
    if (off)
        return QStringLiteral("off*off*");
    return QString::number(ontRx) + u'*' + QString::number(oltRx) + u'*';
}

std::optional<OpticalLevels> OpticalLevels::fromText(QStringView text)
{
    if (text == u"off*off*")
        return offline();
    if (!text.endsWith(u'*'))
        return std::nullopt;
    const qsizetype star = text.indexOf(u'*');
    const std::optional<int> ont = wholeNumber(text.left(star));
    const std::optional<int> olt = wholeNumber(text.mid(star + 1, text.size() - star - 2));
    if (!ont || !olt)
        return std::nullopt;
    return of(*ont, *olt);
}

std::optional<int> leadingLevel(QStringView field)
{
    field = field.trimmed();
    qsizetype end = field.startsWith(u'-') || field.startsWith(u'+') ? 1 : 0;
    const qsizetype digitsFrom = end;
    while (end < field.size() && isDigit(field[end]))
        ++end;
    if (end == digitsFrom)
        return std::nullopt;
    if (end + 1 < field.size() && field[end] == u'.' && isDigit(field[end + 1])) {
        ++end;
        while (end < field.size() && isDigit(field[end]))
            ++end;
    }
    // "-18.18abc" is not a level: the number must end the field or be
    // followed by a separator.
    if (end < field.size() && field[end] != u',' && field[end] != u' ' && field[end] != u'\t')
        return std::nullopt;
    return signalLevel(field.left(end).toString());
}

OpticalReading readOntOptics(QStringView exchange)
{
    std::optional<QStringView> ontField;
    std::optional<QStringView> oltField;
    bool notOnline = false;
    QString refusal;
    forEachLine(exchange, [&](QStringView line) {
        const qsizetype colon = line.indexOf(u':');
        if (colon > 0) {
            // The label must be the whole text before the colon: "CATV Rx
            // optical power(dBm)" and a host name with "rx" are not the ONT's level.
            const QStringView label = line.left(colon).trimmed();
            if (!ontField && label.compare(kOntRxLabel, Qt::CaseInsensitive) == 0)
                ontField = line.mid(colon + 1);
            else if (!oltField && label.compare(kOltRxLabel, Qt::CaseInsensitive) == 0)
                oltField = line.mid(colon + 1);
        }
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(u"Failure:")) {
            if (trimmed.contains(kNotOnline, Qt::CaseInsensitive))
                notOnline = true;
            else if (refusal.isEmpty())
                refusal = trimmed.toString();
        } else if (refusal.isEmpty() && trimmed.startsWith(u"% ")) {
            refusal = trimmed.toString();
        }
        return true;
    });

    if (ontField && oltField) {
        const std::optional<int> ont = leadingLevel(*ontField);
        const std::optional<int> olt = leadingLevel(*oltField);
        if (ont && olt)
            return {OpticalLevels::of(*ont, *olt), {}};
        return {std::nullopt,
                QStringLiteral("no level in the answer (ONT Rx \"%1\", OLT Rx \"%2\")")
                    .arg(ontField->trimmed().toString(), oltField->trimmed().toString())};
    }
    if (notOnline)
        return {OpticalLevels::offline(), {}};
    if (!refusal.isEmpty())
        return {std::nullopt, QStringLiteral("the OLT refused: ") + refusal};
    if (ontField || oltField)
        return {std::nullopt, QStringLiteral("the answer lacks one of the two receive levels")};
    return {std::nullopt, QStringLiteral("no optical levels in the answer")};
}

} // namespace tervix::core
