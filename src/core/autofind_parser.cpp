#include "core/autofind_parser.h"

#include "core/scanner.h"

namespace tervix::core {

namespace {

// "   ------...": at least ten hyphens and nothing else but blanks.
bool jestSeparatorem(QStringView line)
{
    const QStringView t = line.trimmed();
    if (t.size() < 10)
        return false;
    for (QChar c : t) {
        if (c != u'-')
            return false;
    }
    return true;
}

// The fields of one autofind record, upper case, as far as they were seen.
struct Rekord
{
    bool maPort = false;
    bool maCzas = false;
    bool maSn = false;
    bool maMac = false;
    bool maModel = false;
    bool poPorcie = false;       // the next label line follows the port line
    bool maWartoscPoPorcie = false;
    QString port, sn, mac, model, equipmentId, soft, wartoscPoPorcie;

    void dodaj(QStringView etykieta, const QString &wartosc)
    {
        if (poPorcie) {
            poPorcie = false;
            maWartoscPoPorcie = true;
            wartoscPoPorcie = wartosc;
        }
        if (etykieta == u"F/S/P") {
            maPort = true;
            port = wartosc;
            poPorcie = true;
        } else if (etykieta == u"ONT SN") {
            if (!maSn)
                sn = wartosc;
            maSn = true;
        } else if (etykieta == u"ONT MAC") {
            if (!maMac)
                mac = wartosc;
            maMac = true;
        } else if (etykieta == u"ONT MODEL") {
            if (!maModel)
                model = wartosc;
            maModel = true;
        } else if (etykieta == u"ONT EQUIPMENTID") {
            if (equipmentId.isEmpty())
                equipmentId = wartosc;
        } else if (etykieta.startsWith(u"ONT SOFT")) {
            if (soft.isEmpty())
                soft = wartosc;
        } else if (etykieta == u"ONT AUTOFIND TIME") {
            maCzas = true;
        }
    }

    NieautoryzowanyOnt wiersz() const
    {
        NieautoryzowanyOnt o;
        o.port = port;
        QString id;
        if (maSn)
            id = sn;
        else if (maMac)
            id = mac;
        else if (maWartoscPoPorcie)
            id = wartoscPoPorcie;
        o.macSn = skroc_mac_sn(id);
        if (maSn)
            o.typ = QStringLiteral("G.PON");
        else
            o.typ = o.macSn.size() < 15 ? QStringLiteral("E.PON") : QStringLiteral("G.PON");
        o.model = maModel ? model : equipmentId;
        o.vr = soft;
        return o;
    }
};

} // namespace

QString skroc_mac_sn(const QString &mac)
{
    if (mac.size() <= 14)
        return mac;
    QString m = mac;
    if (m.contains(u' '))
        m = textBefore(m, u" ");
    if (m.contains(u'('))
        m = textBefore(m, u"(");
    return m;
}

QList<NieautoryzowanyOnt> czytaj_nielegalne(QStringView czn_s)
{
    Scanner s(czn_s.toString().toUpper());
    QList<NieautoryzowanyOnt> out;
    Rekord r;
    auto zamknij = [&] {
        if (r.maCzas)
            out.append(r.wiersz());
        r = Rekord{};
    };
    while (!s.atEnd()) {
        // A page joined to the extra line after a page prompt follows its
        // carriage return directly, so either line end ends a line.
        const qsizetype end = s.lineEnd();
        const qsizetype len = end < 0 ? s.remaining() : end;
        const QStringView line = s.rest().left(len);
        s.drop(len + 1);
        if (jestSeparatorem(line)) {
            zamknij();
            continue;
        }
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0)
            continue;
        const QStringView etykieta = line.left(colon).trimmed();
        // Labels end with the colon; an empty value ends right after it.
        const QString wartosc = line.mid(colon + 1).trimmed().toString();
        if (etykieta == u"F/S/P" && r.maPort)
            zamknij();
        r.dodaj(etykieta, wartosc);
    }
    zamknij();
    return out;
}

MiejsceOnt rozdziel_port(QStringView port)
{
    Scanner s(port.toString());
    MiejsceOnt m;
    m.buda = s.takeBefore(u"/");
    m.karta = s.takeBefore(u"/");
    m.port = s.restString();
    return m;
}

QString klucz_nieautoryzowanego(const NieautoryzowanyOnt &ont)
{
    return ont.macSn + ont.port;
}

} // namespace tervix::core
