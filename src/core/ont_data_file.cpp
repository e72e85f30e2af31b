#include "core/ont_data_file.h"

#include "core/scanner.h"
#include "core/windows1250.h"

#include <QStringDecoder>

namespace tervix::core {

namespace {
const QString kOpen = QStringLiteral("^!");
const QString kFieldEnd = QStringLiteral("^!");
const QString kRecordEnd = QStringLiteral("^!*^");
const QString kRecordClose = QStringLiteral("*^");
} // namespace

bool isStorableField(QStringView field)
{
    return !field.contains(kFieldEnd) && !field.startsWith(kRecordClose) && field != u"*";
}

QString storableField(const QString &field)
{
    if (isStorableField(field))
        return field;
    QString out = field;
    out.replace(kFieldEnd, QStringLiteral("^ !"));
    if (out.startsWith(kRecordClose))
        out.insert(1, u' ');
    else if (out == u"*")
        out += u' ';
    return out;
}

QString dataFileText(const std::vector<OntRecord> &rows)
{
    qsizetype size = kOpen.size() + 2;
    for (const OntRecord &r : rows) {
        for (QString OntRecord::*m : kStoredMembers)
            size += (r.*m).size() + kFieldEnd.size() + 2;
        size += kRecordClose.size();
    }
    QString text;
    text.reserve(size);
    text += kOpen;
    for (const OntRecord &r : rows) {
        for (QString OntRecord::*m : kStoredMembers) {
            text += storableField(r.*m);
            text += kFieldEnd;
        }
        text += kRecordClose;
    }
    text += QStringLiteral("\r\n");
    return text;
}

DataFileContent parseDataFile(QStringView text)
{
    DataFileContent out;
    if (!text.contains(kRecordEnd))
        return out;
    out.hasRecords = true;

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
        out.records.push_back(std::move(f));
        s.drop(end + kRecordEnd.size());
    }
    return out;
}

OntDataRecord storedFields(const OntRecord &row)
{
    OntDataRecord f;
    for (size_t i = 0; i < kStoredMembers.size(); ++i)
        f[i] = row.*kStoredMembers[i];
    return f;
}

OntRecord rowFromRecord(const OntDataRecord &record, int index)
{
    OntRecord r;
    for (size_t i = 0; i < kStoredMembers.size(); ++i)
        r.*kStoredMembers[i] = record[i];
    r.levels = QStringLiteral("-");
    initBasicTexts(r, QString::number(index), r.subscriberId);
    return r;
}

std::vector<OntRecord> rowsFromRecords(const std::vector<OntDataRecord> &records)
{
    std::vector<OntRecord> rows;
    rows.reserve(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        rows.push_back(rowFromRecord(records[i], int(i)));
    return rows;
}

QString decodeDataFile(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    // The list is rewritten as UTF-8 after loading, so a wrong guess here would
    // corrupt every Polish letter for good. The code page's own table decodes
    // the same way whichever codecs the Qt build carries.
    return decodeWindows1250(bytes);
}

QByteArray encodeDataFile(const QString &text)
{
    return text.toUtf8();
}

} // namespace tervix::core
