#include "core/ont_data_file.h"
#include "core/windows1250.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QStringList>

using namespace tervix::core;

namespace {

// One stored record as the file holds it.
QString rec(const QStringList &fields)
{
    QString r;
    for (const QString &f : fields)
        r += f + QStringLiteral("^!");
    return r + QStringLiteral("*^");
}

QStringList fieldsOf(const OntDataRecord &r)
{
    return QStringList(r.begin(), r.end());
}

const QStringList kRowA{QStringLiteral("+"), QStringLiteral("G.PON"), QStringLiteral("0"), QStringLiteral("1"),
                        QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("Kowalski"),
                        QStringLiteral("48575443A1B2C3D4"), QStringLiteral("10"), QStringLiteral("10"),
                        QStringLiteral("-1;12;1010;0;-1;100;1010;^"), QStringLiteral("0;1;^"), QStringLiteral("K-77"),
                        QStringLiteral("0")};
const QStringList kRowB{QStringLiteral("-"), QStringLiteral("E.PON"), QStringLiteral("0"), QStringLiteral("2"),
                        QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("Nowak"),
                        QStringLiteral("00e0-fc12-3456"), QStringLiteral("-"), QStringLiteral("-"),
                        QStringLiteral("-1;20;300;?;0;100;^"), QStringLiteral("-1;4;^"), QString(),
                        QStringLiteral("1")};

QStringList withLast(QStringList f, const QString &last)
{
    f.last() = last;
    return f;
}

struct ReadCase
{
    const char *name;
    QString text;
    bool hasRecords;
    QList<QStringList> records;
};

class DataFileRead : public ::testing::TestWithParam<ReadCase>
{};

TEST_P(DataFileRead, YieldsTheStoredRecords)
{
    const ReadCase &c = GetParam();
    const DataFileContent d = parseDataFile(c.text);
    EXPECT_EQ(d.hasRecords, c.hasRecords);
    QList<QStringList> got;
    for (const OntDataRecord &r : d.records)
        got << fieldsOf(r);
    EXPECT_EQ(got, c.records);
}

QStringList padded(QStringList f)
{
    while (f.size() < kStoredFields)
        f << QString();
    if (f.last().isEmpty())
        f.last() = QStringLiteral("0");
    return f;
}

INSTANTIATE_TEST_SUITE_P(
    Files, DataFileRead,
    ::testing::Values(
        ReadCase{"OnlyTheOpening", QStringLiteral("^!\r\n"), false, {}},
        ReadCase{"EmptyFile", QString(), false, {}},
        ReadCase{"OpeningAndOneRecordEndButNoRecord", QStringLiteral("^!*^"), true, {}},
        ReadCase{"TwoRecords", QStringLiteral("^!") + rec(kRowA) + rec(kRowB) + QStringLiteral("\r\n"), true,
                 {kRowA, kRowB}},
        ReadCase{"EmptyActiveReadsZero", QStringLiteral("^!") + rec(withLast(kRowB, QString())), true,
                 {withLast(kRowB, QStringLiteral("0"))}},
        ReadCase{"TwoIdenticalRowsAreBothKept", QStringLiteral("^!") + rec(kRowA) + rec(kRowA), true, {kRowA, kRowA}},
        ReadCase{"TextAfterTheLastRecordIsIgnored",
                 QStringLiteral("^!") + rec(kRowA) + QStringLiteral("\r\nleft over^!Kowalski^!"), true, {kRowA}},
        ReadCase{"ShortRecordHasEmptyTrailingFields",
                 QStringLiteral("^!+^!G.PON^!0^!*^"), true,
                 {padded({QStringLiteral("+"), QStringLiteral("G.PON"), QStringLiteral("0")})}},
        ReadCase{"RecordCloseWithoutFieldEndIsNoRecord", QStringLiteral("^!lonely*^"), false, {}},
        ReadCase{"TwoHundredFieldsKeepTheFirstFourteen",
                 QStringLiteral("^!") + rec(kRowA + QStringList(186, QStringLiteral("extra"))) + rec(kRowB), true,
                 {kRowA, kRowB}},
        ReadCase{"TruncatedInTheSecondRecord",
                 (QStringLiteral("^!") + rec(kRowA) + rec(kRowB)).left(QStringLiteral("^!").size() + rec(kRowA).size() + 30),
                 true, {kRowA}},
        ReadCase{"ReaderStartsAfterTheFirstOpening", QStringLiteral("junk^!") + rec(kRowB), true, {kRowB}}),
    [](const auto &info) { return std::string(info.param.name); });

std::vector<OntRecord> rowsOf(const QList<QStringList> &records)
{
    std::vector<OntRecord> rows;
    for (const QStringList &f : records) {
        OntDataRecord r;
        for (int i = 0; i < kStoredFields; ++i)
            r[size_t(i)] = f.value(i);
        rows.push_back(rowFromRecord(r, int(rows.size())));
    }
    return rows;
}

TEST(DataFileWrite, ListTextIsTheOpeningAndOneRecordPerRowWithoutTheSignalColumn)
{
    std::vector<OntRecord> rows = rowsOf({kRowA, kRowB});
    rows[0].levels = QStringLiteral("-21*-24*");
    EXPECT_EQ(dataFileText(rows), QStringLiteral("^!") + rec(kRowA) + rec(kRowB) + QStringLiteral("\r\n"));
    EXPECT_EQ(dataFileText({}), QStringLiteral("^!\r\n"));
}

TEST(DataFileWrite, AFileWrittenHereReloadsIdentically)
{
    const QStringList polish = withLast(kRowA, QStringLiteral("0"));
    QStringList named = polish;
    named[6] = QStringLiteral("Zażółć gęślą jaźń – Łódź, ul. Źródlana 5");
    named[12] = QStringLiteral("ŚĆ-Ę/1");
    const QByteArray bytes = encodeDataFile(dataFileText(rowsOf({named, kRowB, kRowB})));
    const DataFileContent d = parseDataFile(decodeDataFile(bytes));
    ASSERT_EQ(d.records.size(), 3u);
    EXPECT_EQ(fieldsOf(d.records[0]), named);
    EXPECT_EQ(encodeDataFile(dataFileText(rowsFromRecords(d.records))), bytes);
}

TEST(DataFileWrite, LoadedRowFillsBothViewsCells)
{
    OntDataRecord r;
    for (int i = 0; i < kStoredFields; ++i)
        r[size_t(i)] = kRowA.value(i);
    const OntRecord row = rowFromRecord(r, 7);
    EXPECT_EQ(fieldsOf(storedFields(row)), fieldsOf(r));
    EXPECT_EQ(cellText(row, Column::Levels), QStringLiteral("-"));
    EXPECT_EQ(cellText(row, Column::Catv), QStringLiteral("0;1;^"));
    EXPECT_EQ(row.image, RowImage::NoImage);
    const QStringList basic{QString(),
                            QStringLiteral("7"),
                            QStringLiteral("G.PON\nChecking signal..\nONT: ? OLT: ?"),
                            QStringLiteral("OLT: 0\nSlot: 1/2\nID: 3"),
                            QStringLiteral("Kowalski\nSN: 48575443A1B2C3D4\nK-77"),
                            QStringLiteral("-1;12;1010;0;-1;100;1010;^"),
                            QString(),
                            QString(),
                            QStringLiteral("0")};
    for (int c = 0; c < BasicColumn::Count; ++c)
        EXPECT_EQ(cellText(row, BasicColumn::Id(c)), basic[c]) << "basic column " << c;
}

// Names, MAC/SN texts and subscriber ids that would break a record stored as
// they stand.
TEST(DataFileHostile, SeparatorsInFieldsNeverChangeTheRecordStructure)
{
    const QStringList hostile{QStringLiteral("a^!b"),   QStringLiteral("^!*^"),   QStringLiteral("*^start"),
                              QStringLiteral("*"),      QStringLiteral("^name"),  QStringLiteral("end^"),
                              QStringLiteral("^!"),     QStringLiteral("*^!*^"),  QStringLiteral("x^!*^y^!z"),
                              QStringLiteral("!*^"),    QStringLiteral("^^!!"),   QStringLiteral("**^")};
    for (const QString &h : hostile) {
        for (int field : {0, 6, 7, 12, 13}) {
            QStringList f = kRowA;
            f[field] = h;
            if (field + 1 < kStoredFields)
                f[field + 1] = QStringLiteral("^next");
            const QString text = dataFileText(rowsOf({kRowB, f, kRowB}));
            const DataFileContent d = parseDataFile(text);
            ASSERT_EQ(d.records.size(), 3u) << qPrintable(h) << " in field " << field;
            QStringList expected = f;
            for (QString &e : expected)
                e = storableField(e);
            EXPECT_EQ(fieldsOf(d.records[1]), expected) << qPrintable(h) << " in field " << field;
            EXPECT_EQ(fieldsOf(d.records[2]), kRowB);
        }
    }
}

TEST(DataFileHostile, NeutralisingKeepsOrdinaryTextAndIsStable)
{
    struct Case
    {
        QString in, out;
    };
    const Case cases[] = {
        {QStringLiteral("Kowalski ^ 5! *"), QStringLiteral("Kowalski ^ 5! *")},
        {QStringLiteral("-1;12;1010;0;-1;100;1010;^"), QStringLiteral("-1;12;1010;0;-1;100;1010;^")},
        {QStringLiteral("*VIP*"), QStringLiteral("*VIP*")},
        {QStringLiteral("a^!b"), QStringLiteral("a^ !b")},
        {QStringLiteral("*^x"), QStringLiteral("* ^x")},
        {QStringLiteral("*"), QStringLiteral("* ")},
        {QStringLiteral("*^!"), QStringLiteral("* ^ !")},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(storableField(c.in), c.out) << qPrintable(c.in);
        EXPECT_EQ(storableField(c.out), c.out) << qPrintable(c.in);
        EXPECT_TRUE(isStorableField(c.out)) << qPrintable(c.in);
    }
}

// Every pair of short texts over the separator characters, side by side in a
// record, at the start of the file and at the end of a record.
TEST(DataFileHostile, EveryShortSeparatorMixtureRoundTrips)
{
    const QString alphabet = QStringLiteral("^!*a");
    QStringList texts{QString()};
    for (int len = 1; len <= 3; ++len) {
        const QStringList shorter = texts;
        for (const QString &s : shorter) {
            if (s.size() == len - 1) {
                for (QChar c : alphabet)
                    texts << s + c;
            }
        }
    }
    for (const QString &a : texts) {
        for (const QString &b : texts) {
            QStringList f = kRowA;
            f[0] = a;
            f[1] = b;
            f[12] = a;
            f[13] = b;
            const DataFileContent d = parseDataFile(dataFileText(rowsOf({f, f})));
            ASSERT_EQ(d.records.size(), 2u) << qPrintable(a) << " / " << qPrintable(b);
            QStringList expected = f;
            for (QString &e : expected)
                e = storableField(e);
            if (expected.last().isEmpty())
                expected.last() = QStringLiteral("0");
            ASSERT_EQ(fieldsOf(d.records[0]), expected) << qPrintable(a) << " / " << qPrintable(b);
            ASSERT_EQ(fieldsOf(d.records[1]), expected);
        }
    }
}

TEST(DataFileBytes, PolishLettersSurviveInUtf8AndOldWindowsFilesStayReadable)
{
    const QString name = QStringLiteral("Świętokrzyska Łąka źdźbło");
    const QString text = QStringLiteral("^!") + rec(withLast(kRowA, QStringLiteral("0"))).replace(QStringLiteral("Kowalski"), name);
    EXPECT_EQ(fieldsOf(parseDataFile(decodeDataFile(encodeDataFile(text))).records.at(0))[6], name);

    // A file from an older console, in the Windows code page.
    const QByteArray old = encodeWindows1250(text);
    EXPECT_EQ(fieldsOf(parseDataFile(decodeDataFile(old)).records.at(0))[6], name);

    // With a byte-order mark.
    EXPECT_EQ(decodeDataFile(QByteArray("\xEF\xBB\xBF^!", 5)), QStringLiteral("^!"));
}

// The bytes are written out rather than produced by a Qt codec: the old file
// must read the same on a Qt build that carries no Windows code pages, where
// a fallback guess would have turned the letters into Latin-1 look-alikes.
TEST(DataFileBytes, AnOldWindowsFileDecodesWithThePolishCodePage)
{
    const QString name = QStringLiteral("Paweł Żółć");
    const QByteArray nameBytes("Pawe\xB3 \xAF\xF3\xB3\xE6");
    const QByteArray file = QByteArray("^!") + encodeDataFile(rec(kRowA)).replace("Kowalski", nameBytes);

    const DataFileContent d = parseDataFile(decodeDataFile(file));
    ASSERT_EQ(d.records.size(), 1u);
    EXPECT_EQ(fieldsOf(d.records[0])[6], name);
    // Saving it again keeps the letters.
    EXPECT_EQ(fieldsOf(parseDataFile(decodeDataFile(encodeDataFile(decodeDataFile(file)))).records.at(0))[6], name);
}

TEST(DataFileDamaged, ATruncatedFileLoadsItsCompleteRecords)
{
    const QByteArray good = encodeDataFile(QStringLiteral("^!") + rec(kRowA) + rec(kRowB));
    const qsizetype firstEnd = encodeDataFile(QStringLiteral("^!") + rec(kRowA)).size();
    for (qsizetype cut = 0; cut <= good.size(); ++cut) {
        const DataFileContent d = parseDataFile(decodeDataFile(good.left(cut)));
        QList<QStringList> got;
        for (const OntDataRecord &r : d.records)
            got << fieldsOf(r);
        QList<QStringList> expected;
        if (cut >= firstEnd)
            expected << kRowA;
        if (cut == good.size())
            expected << kRowB;
        EXPECT_EQ(got, expected) << "cut at " << cut;
    }
}

TEST(DataFileDamaged, RandomBytesNeverBreakTheReader)
{
    QRandomGenerator gen(20240611);
    const QByteArray good = encodeDataFile(QStringLiteral("^!") + rec(kRowA) + rec(kRowB));
    for (int round = 0; round < 500; ++round) {
        QByteArray bytes = good;
        const int edits = 1 + int(gen.bounded(8));
        for (int e = 0; e < edits && !bytes.isEmpty(); ++e) {
            const int at = int(gen.bounded(int(bytes.size())));
            if (gen.bounded(2) == 0)
                bytes[at] = char(gen.bounded(256));
            else
                bytes.insert(at, QByteArray("^!*^^!").left(1 + int(gen.bounded(6))));
        }
        const DataFileContent d = parseDataFile(decodeDataFile(bytes));
        for (const OntDataRecord &r : d.records)
            EXPECT_FALSE(r.back().isEmpty());
    }
    QByteArray noise(1 << 16, '\0');
    for (char &c : noise)
        c = char(gen.bounded(256));
    const DataFileContent d = parseDataFile(decodeDataFile(noise));
    for (const OntDataRecord &r : d.records)
        EXPECT_FALSE(r.back().isEmpty());
}

} // namespace
