#include "core/free_ids_parser.h"

#include "core/scanner.h"

#include <algorithm>

namespace tervix::core {

namespace {

// The lines of a text as the console has always walked them: each is the text
// up to a line break, and a trailing piece without one is not a line.
template<typename F>
void eachLine(QStringView text, F &&f)
{
    Scanner s(text.toString());
    for (qsizetype end = s.lineEnd(); end >= 0; end = s.lineEnd()) {
        f(s.rest().left(end));
        s.drop(end + 1);
    }
}

} // namespace

std::optional<int> proposeOntId(QStringView listing, const QString &slot, const QString &port)
{
    Scanner s(listing.toString().toUpper());
    s.cutThrough(u"DESCRIPTION");
    const QString table = s.before(u"IN PORT");
    const QString key = (slot + u'/' + port).toUpper();

    QString lastMatching;
    eachLine(table, [&](QStringView line) {
        if (line.contains(key))
            lastMatching = line.toString();
    });

    QString id = QStringLiteral("0");
    if (!lastMatching.isEmpty()) {
        Scanner l(lastMatching);
        l.cutThrough(key);
        while (!l.atEnd() && !(l.rest().front() >= u'0' && l.rest().front() <= u'9'))
            l.drop(1);
        // The id ends at the next space, or with the line when nothing follows it.
        id = l.beforeOrRest(u" ");
    }
    bool ok = false;
    const int n = id.toInt(&ok);
    if (!ok)
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
            if (ok && v > max)
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
    if (!ok)
        return std::nullopt;
    const int m = highestInList + 1;
    if (v < m)
        v = m;
    if (v % 2 != 0)
        ++v;
    return std::array<int, 4>{v, v + 1, v + 2, v + 3};
}

QString portOntInfoCommand(const QString &frame, const QString &slot, const QString &port)
{
    return QStringLiteral("display ont info ") + frame + u' ' + slot + u' ' + port + QStringLiteral(" all");
}

} // namespace tervix::core
