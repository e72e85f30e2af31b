#include "core/profiles_parser.h"

#include "core/scanner.h"

namespace tervix::core {

QString unifyLineBreaks(const QString &text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r') {
            out.append(c);
            continue;
        }
        // CR LF, CR CR LF: the carriage returns go; a lone one ends a line.
        const QChar next = i + 1 < n ? text.at(i + 1) : QChar();
        if (next != u'\r' && next != u'\n')
            out.append(u'\n');
    }
    return out;
}

QList<OltProfile> parseProfiles(QStringView listing)
{
    // Rows end with the OLT's carriage return and line feed; a listing that
    // reaches us with bare line feeds (or bare carriage returns) reads alike.
    Scanner s(unifyLineBreaks(listing.toString().toUpper()));
    s.cutThrough(u"BINDING");
    // The rest of the header line and the separator under it.
    s.cutThrough(u"\n");
    s.cutThrough(u"\n");
    Scanner t(s.before(u" ------------"));

    QList<OltProfile> out;
    while (t.contains(u"\n")) {
        const qsizetype lf = t.indexOf(u"\n");
        QString row = trimLeadingSpaces(t.rest().left(lf));
        t.drop(lf + 1);

        Scanner l(row);
        OltProfile p;
        p.id = l.before(u" ");
        l.cutThrough(u" ");
        l.cutThrough(u" ");
        l.skipBlanks();
        p.name = l.takeBefore(u"  ");
        l.skipBlanks();
        // Rows of firmware that does not pad them end with the count; the
        // line end bounds the cell as a blank does, so the count is not lost
        // to whether the OLT pads its rows.
        p.bindings = l.beforeOrRest(u" ");
        if (!p.id.isEmpty())
            out.append(p);
    }
    return out;
}

QString profilesCommand(ProfileKind kind, bool epon)
{
    return QStringLiteral("display ")
        + (kind == ProfileKind::Line ? QStringLiteral("ont-lineprofile ") : QStringLiteral("ont-srvprofile "))
        + (epon ? QStringLiteral("epon all") : QStringLiteral("gpon all"));
}

} // namespace tervix::core
