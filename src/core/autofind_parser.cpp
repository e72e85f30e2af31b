#include "core/autofind_parser.h"

#include "core/scanner.h"

namespace tervix::core {

namespace {

// "   ------...": at least ten hyphens and nothing else but blanks.
bool isSeparator(QStringView line)
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
struct Record
{
    bool hasPort = false;
    bool hasFoundTime = false;
    bool hasSn = false;
    bool hasMac = false;
    bool hasModel = false;
    bool afterPlace = false;       // the next label line follows the port line
    bool hasValueAfterPlace = false;
    QString port, sn, mac, model, equipmentId, soft, valueAfterPlace;

    void add(QStringView fieldLabel, const QString &value)
    {
        if (afterPlace) {
            afterPlace = false;
            hasValueAfterPlace = true;
            valueAfterPlace = value;
        }
        if (fieldLabel == u"F/S/P") {
            hasPort = true;
            port = value;
            afterPlace = true;
        } else if (fieldLabel == u"ONT SN") {
            if (!hasSn)
                sn = value;
            hasSn = true;
        } else if (fieldLabel == u"ONT MAC") {
            if (!hasMac)
                mac = value;
            hasMac = true;
        } else if (fieldLabel == u"ONT MODEL") {
            if (!hasModel)
                model = value;
            hasModel = true;
        } else if (fieldLabel == u"ONT EQUIPMENTID") {
            if (equipmentId.isEmpty())
                equipmentId = value;
        } else if (fieldLabel.startsWith(u"ONT SOFT")) {
            if (soft.isEmpty())
                soft = value;
        } else if (fieldLabel == u"ONT AUTOFIND TIME") {
            hasFoundTime = true;
        }
    }

    UnauthorisedOnt row() const
    {
        UnauthorisedOnt o;
        o.port = port;
        QString id;
        if (hasSn)
            id = sn;
        else if (hasMac)
            id = mac;
        else if (hasValueAfterPlace)
            id = valueAfterPlace;
        o.serialOrMac = shortenSerial(id);
        if (hasSn)
            o.ponType = QStringLiteral("G.PON");
        else
            o.ponType = o.serialOrMac.size() < 15 ? QStringLiteral("E.PON") : QStringLiteral("G.PON");
        o.model = hasModel ? model : equipmentId;
        o.vr = soft;
        return o;
    }
};

} // namespace

QString shortenSerial(const QString &mac)
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

QList<UnauthorisedOnt> parseAutofind(QStringView listing)
{
    Scanner s(listing.toString().toUpper());
    QList<UnauthorisedOnt> out;
    Record r;
    auto closeRecord = [&] {
        if (r.hasFoundTime)
            out.append(r.row());
        r = Record{};
    };
    while (!s.atEnd()) {
        // A page joined to the extra line after a page prompt follows its
        // carriage return directly, so either line end ends a line.
        const qsizetype end = s.lineEnd();
        const qsizetype len = end < 0 ? s.remaining() : end;
        const QStringView line = s.rest().left(len);
        s.drop(len + 1);
        if (isSeparator(line)) {
            closeRecord();
            continue;
        }
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0)
            continue;
        const QStringView fieldLabel = line.left(colon).trimmed();
        // Labels end with the colon; an empty value ends right after it.
        const QString value = line.mid(colon + 1).trimmed().toString();
        if (fieldLabel == u"F/S/P" && r.hasPort)
            closeRecord();
        r.add(fieldLabel, value);
    }
    closeRecord();
    return out;
}

OntPlace splitPlace(QStringView port)
{
    Scanner s(port.toString());
    OntPlace m;
    m.frame = s.takeBefore(u"/");
    m.slot = s.takeBefore(u"/");
    m.port = s.restString();
    return m;
}

QString unauthorisedKey(const UnauthorisedOnt &ont)
{
    return ont.serialOrMac + ont.port;
}

} // namespace tervix::core
