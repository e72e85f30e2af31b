#include "core/free_ids_parser.h"

#include "core/scanner.h"

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

int highestServicePort(const QStringList &vlanFields)
{
    int max = 0;
    for (const QString &field : vlanFields) {
        Scanner s(field);
        while (true) {
            s.cutThrough(u";");
            if (!s.contains(u";"))
                break;
            bool ok = false;
            const int v = s.before(u";").toInt(&ok);
            if (ok && v > max)
                max = v;
            s.cutThrough(u";^");
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
