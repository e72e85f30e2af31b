#include "core/port_optics.h"

namespace tervix::core {

namespace {

constexpr QStringView kPagerErase = u"\x1b[37D";

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// "optional spaces + ten or more dashes + optional spaces".
bool isSeparator(QStringView line)
{
    line = line.trimmed();
    if (line.size() < 10)
        return false;
    for (QChar c : line) {
        if (c != u'-')
            return false;
    }
    return true;
}

// Up to n blank-separated fields of a line.
qsizetype splitFields(QStringView line, QStringView *fields, qsizetype n)
{
    qsizetype count = 0;
    qsizetype i = 0;
    while (count < n) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        if (i >= line.size())
            break;
        const qsizetype from = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        fields[count++] = line.mid(from, i - from);
    }
    return count;
}

std::optional<int> ontIdOf(QStringView field)
{
    if (field.isEmpty() || field.size() > 5)
        return std::nullopt;
    int id = 0;
    for (QChar c : field) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        id = id * 10 + (c.unicode() - u'0');
    }
    return id;
}

// A whole level field: a number, or "-" for none. Anything else means the
// line is not a table row (an alarm line that starts with a number).
bool isLevelField(QStringView field, std::optional<int> &level)
{
    if (field == u"-") {
        level.reset();
        return true;
    }
    level = leadingLevel(field);
    return level.has_value() && !field.contains(u',');
}

} // namespace

QList<PortOpticsRow> parsePortOptics(QStringView listing)
{
    QList<PortOpticsRow> rows;
    enum class Place { Before, Header, Rows };
    Place place = Place::Before;
    qsizetype start = 0;
    while (start < listing.size()) {
        qsizetype end = listing.indexOf(u'\n', start);
        if (end < 0)
            end = listing.size();
        QStringView line = listing.mid(start, end - start);
        start = end + 1;
        if (line.endsWith(u'\r'))
            line.chop(1);
        // Where two pages join, the next page's first line follows the
        // pager's erase sequence on the same line.
        const qsizetype erase = line.lastIndexOf(kPagerErase);
        if (erase >= 0)
            line = line.mid(erase + kPagerErase.size());

        if (isSeparator(line)) {
            if (place == Place::Header)
                place = Place::Rows;
            else if (place == Place::Rows)
                place = Place::Before;
            continue;
        }
        QStringView fields[5];
        const qsizetype count = splitFields(line, fields, 5);
        if (place != Place::Rows) {
            // "ONT  Rx power  Tx power  OLT Rx ONT ..." opens the table.
            if (count >= 3 && fields[0] == u"ONT" && fields[1] == u"Rx" && fields[2] == u"power")
                place = Place::Header;
            continue;
        }
        if (count < 4)
            continue;
        const std::optional<int> id = ontIdOf(fields[0]);
        std::optional<int> ontRx;
        std::optional<int> txLevel;
        std::optional<int> oltRx;
        if (!id || !isLevelField(fields[1], ontRx) || !isLevelField(fields[2], txLevel)
            || !isLevelField(fields[3], oltRx))
            continue;
        PortOpticsRow row;
        row.ontId = *id;
        if (ontRx && oltRx)
            row.levels = OpticalLevels::of(*ontRx, *oltRx);
        rows.append(row);
    }
    return rows;
}

} // namespace tervix::core
