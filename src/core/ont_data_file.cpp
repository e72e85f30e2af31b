#include "core/ont_data_file.h"

#include "core/scanner.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tervix::core {

namespace {
const QString kOpen = QStringLiteral("^!");
const QString kFieldEnd = QStringLiteral("^!");
const QString kRecordEnd = QStringLiteral("^!*^");
const QString kRecordClose = QStringLiteral("*^");
} // namespace

bool ont_data_pole_bezpieczne(QStringView field)
{
    return !field.contains(kFieldEnd) && !field.startsWith(kRecordClose) && field != u"*";
}

QString ont_data_pole(const QString &field)
{
    if (ont_data_pole_bezpieczne(field))
        return field;
    QString out = field;
    out.replace(kFieldEnd, QStringLiteral("^ !"));
    if (out.startsWith(kRecordClose))
        out.insert(1, u' ');
    else if (out == u"*")
        out += u' ';
    return out;
}

QString zapisz1_tekst(const std::vector<OntListRow> &rows)
{
    qsizetype size = kOpen.size() + 2;
    for (const OntListRow &r : rows) {
        for (int c : kStoredColumns)
            size += r.lv1[c].size() + kFieldEnd.size() + 2;
        size += kRecordClose.size();
    }
    QString text;
    text.reserve(size);
    text += kOpen;
    for (const OntListRow &r : rows) {
        for (int c : kStoredColumns) {
            text += ont_data_pole(r.lv1[c]);
            text += kFieldEnd;
        }
        text += kRecordClose;
    }
    text += QStringLiteral("\r\n");
    return text;
}

OdczytDanych odczytaj1_nowe(QStringView text)
{
    OdczytDanych out;
    if (!text.contains(kRecordEnd))
        return out;
    out.maRekordy = true;

    Scanner s(text.toString());
    s.cutThrough(kOpen);
    for (;;) {
        const qsizetype end = s.indexOf(kRecordEnd);
        if (end < 0)
            break;
        // The record is read as if "^!" followed it, so that its last field
        // ends like the others and the fields after it come out empty.
        const QStringView rec = s.rest().left(end);
        OntDataRecord f;
        qsizetype pos = 0;
        for (int i = 0; i < kStoredFields && pos <= rec.size(); ++i) {
            const qsizetype sep = rec.indexOf(kFieldEnd, pos);
            if (sep < 0) {
                f[i] = rec.mid(pos).toString();
                pos = rec.size() + 1;
            } else {
                f[i] = rec.mid(pos, sep - pos).toString();
                pos = sep + kFieldEnd.size();
            }
        }
        if (f[kStoredFields - 1].isEmpty())
            f[kStoredFields - 1] = QStringLiteral("0");
        out.rekordy.push_back(std::move(f));
        s.drop(end + kRecordEnd.size());
    }
    return out;
}

OntListRow wierszZPliku(const OntDataRecord &rekord, int index)
{
    OntListRow r;
    for (int i = 0; i < kStoredFields; ++i)
        r.lv1[kStoredColumns[i]] = rekord[i];
    r.lv1[kol::Rx] = QStringLiteral("-");
    r.lv1b = wierszBasic(r.lv1, QString::number(index), r.lv1[kol::IdUrzKL]);
    return r;
}

std::vector<OntListRow> wierszeZPliku(const std::vector<OntDataRecord> &rekordy)
{
    std::vector<OntListRow> rows;
    rows.reserve(rekordy.size());
    for (size_t i = 0; i < rekordy.size(); ++i)
        rows.push_back(wierszZPliku(rekordy[i], int(i)));
    return rows;
}

QString ont_data_tekst(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1250("windows-1250");
    if (cp1250.isValid())
        return cp1250.decode(bytes);
    return QString::fromLatin1(bytes);
}

QByteArray ont_data_bajty(const QString &text)
{
    return text.toUtf8();
}

} // namespace tervix::core
