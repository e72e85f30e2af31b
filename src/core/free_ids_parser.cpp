#include "core/free_ids_parser.h"

#include "core/scanner.h"

#include <algorithm>

namespace tervix::core {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The line that closes a port's tables, "In port 0/ 1/0 , the total of ONTs
// are: ..." (upper-cased here). A description may say "in port" too, so the
// line is known by its shape: the words first on the line, then the port's
// place as three numbers between slashes (the OLT pads them with blanks), then
// a comma.
bool isPortFooter(QStringView line)
{
    qsizetype i = 0;
    const auto skip = [&](bool (*what)(QChar)) {
        const qsizetype from = i;
        while (i < line.size() && what(line[i]))
            ++i;
        return i - from;
    };
    skip(isBlank);
    if (!line.mid(i).startsWith(u"IN PORT"))
        return false;
    i += 7;
    if (skip(isBlank) == 0)
        return false;
    for (int part = 0; part < 3; ++part) {
        if (part > 0) {
            skip(isBlank);
            if (i >= line.size() || line[i] != u'/')
                return false;
            ++i;
            skip(isBlank);
        }
        if (skip(isDigit) == 0)
            return false;
    }
    skip(isBlank);
    return i < line.size() && line[i] == u',';
}

// The description table's lines up to the port's closing line, as the console
// has always walked them: each line is the text up to a line break. Without a
// closing line there is no table at all (a refusal, or a listing that is not
// the port's).
QList<QStringView> descriptionTableLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype pos = 0;
    for (;;) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView line = text.mid(pos, end - pos);
        if (isPortFooter(line))
            return lines;
        if (end >= text.size())
            return {};
        lines.append(line);
        pos = end + 1;
    }
}

} // namespace

std::optional<int> proposeOntId(QStringView listing, const QString &slot, const QString &port)
{
    Scanner s(listing.toString().toUpper());
    s.cutThrough(u"DESCRIPTION");
    const QString key = (slot + u'/' + port).toUpper();

    QString lastMatching;
    for (QStringView line : descriptionTableLines(s.rest())) {
        if (line.contains(key))
            lastMatching = line.toString();
    }

    QString id = QStringLiteral("0");
    if (!lastMatching.isEmpty()) {
        Scanner l(lastMatching);
        l.cutThrough(key);
        while (!l.atEnd() && !isDigit(l.rest().front()))
            l.drop(1);
        // The id ends at the next space, or with the line when nothing follows it.
        id = l.beforeOrRest(u" ");
    }
    bool ok = false;
    const int n = id.toInt(&ok);
    // An id the OLT cannot number, or its last one, leaves no id to propose.
    if (!ok || n < 0 || n >= kMaxOntId)
        return std::nullopt;
    return n + 1;
}

namespace {

// The next occurrence of a marker at or after a position that only ever moves
// forward. An occurrence found earlier stays the answer until the position
// passes it, and an absent marker stays absent, so every character is
// searched at most once per marker however the walk advances.
class ForwardSearch
{
public:
    ForwardSearch(QStringView text, QStringView marker) : m_text(text), m_marker(marker) {}

    qsizetype from(qsizetype pos)
    {
        if (m_found != kAbsent && m_found < pos)
            m_found = m_text.indexOf(m_marker, pos);
        return m_found;
    }

private:
    static constexpr qsizetype kAbsent = -1;
    static constexpr qsizetype kNotSearched = -2;
    QStringView m_text;
    QStringView m_marker;
    qsizetype m_found = kNotSearched;
};

} // namespace

int highestServicePort(const QStringList &vlanFields)
{
    int max = 0;
    for (const QString &field : vlanFields) {
        // The cut-and-search walk over the field (cut through ";", read the
        // value before the next ";", cut through ";^"), with the searches
        // shared between passes: a field of ";" without any ";^" advances one
        // character per pass, and searching afresh each time was quadratic.
        const QStringView text(field);
        ForwardSearch semicolon(text, u";");
        ForwardSearch groupEnd(text, u";^");
        qsizetype pos = 0;
        for (;;) {
            const qsizetype first = semicolon.from(pos);
            if (first >= 0)
                pos = first + 1;
            const qsizetype next = semicolon.from(pos);
            if (next < 0)
                break;
            bool ok = false;
            const int v = text.mid(pos, next - pos).toInt(&ok);
            if (ok && v > max && v <= kMaxServicePortIndex)
                max = v;
            const qsizetype end = groupEnd.from(pos);
            // An absent ";^" still moves the walk on by one character.
            pos = end >= 0 ? end + 2 : std::min(pos + 1, text.size());
        }
    }
    return max;
}

std::optional<std::array<int, 4>> proposeServicePorts(QStringView answer, int highestInList)
{
    Scanner s(answer.toString().toUpper());
    s.cutThrough(u"PORT ID: ");
    // The number runs to the end of its line; an OLT that pads the line with
    // blanks still gives the number.
    const qsizetype end = s.lineEnd();
    bool ok = false;
    int v = s.rest().left(end < 0 ? s.remaining() : end).trimmed().toInt(&ok);
    if (!ok || v < 0 || v > kMaxServicePortIndex)
        return std::nullopt;
    // Compared before adding one, so that no highest index can overflow.
    if (highestInList >= kMaxServicePortIndex)
        return std::nullopt;
    if (v <= highestInList)
        v = highestInList + 1;
    if (v % 2 != 0)
        ++v;
    if (v + 3 > kMaxServicePortIndex)
        return std::nullopt;
    return std::array<int, 4>{v, v + 1, v + 2, v + 3};
}

QString portOntInfoCommand(const QString &frame, const QString &slot, const QString &port)
{
    return QStringLiteral("display ont info ") + frame + u' ' + slot + u' ' + port + QStringLiteral(" all");
}

} // namespace tervix::core
