#include "core/profiles_parser.h"

#include "core/scanner.h"

namespace tervix::core {

QString jednolite_konce_linii(const QString &text)
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

QList<ProfilOlt> czytaj_profile(QStringView czpr_s)
{
    // Rows end with the OLT's carriage return and line feed; a listing that
    // reaches us with bare line feeds (or bare carriage returns) reads alike.
    Scanner s(jednolite_konce_linii(czpr_s.toString().toUpper()));
    s.cutThrough(u"BINDING");
    // The rest of the header line and the separator under it.
    s.cutThrough(u"\n");
    s.cutThrough(u"\n");
    Scanner t(s.before(u" ------------"));

    QList<ProfilOlt> out;
    while (t.contains(u"\n")) {
        const qsizetype lf = t.indexOf(u"\n");
        QString row = usun_spacje_zprzodu(t.rest().left(lf));
        t.drop(lf + 1);

        Scanner l(row);
        ProfilOlt p;
        p.id = l.before(u" ");
        l.cutThrough(u" ");
        l.cutThrough(u" ");
        l.skipBlanks();
        p.nazwa = l.takeBefore(u"  ");
        l.skipBlanks();
        p.bind = l.beforeOrRest(u" ");
        if (!p.id.isEmpty())
            out.append(p);
    }
    return out;
}

QString polecenie_profili(RodzajProfilu rodzaj, bool epon)
{
    return QStringLiteral("display ")
        + (rodzaj == RodzajProfilu::Liniowy ? QStringLiteral("ont-lineprofile ") : QStringLiteral("ont-srvprofile "))
        + (epon ? QStringLiteral("epon all") : QStringLiteral("gpon all"));
}

} // namespace tervix::core
