#include "core/slot_report.h"
#include "ui/url_opener.h"

#include "qt_printers.h"

#include <QRegularExpression>
#include <QStringConverter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

namespace {

using namespace tervix;
using core::OntRecord;

OntRecord ont(const char *frame, const char *slot, const char *port, const char *id, const QString &name,
              const QString &serialOrMac)
{
    OntRecord r;
    r.frame = QString::fromLatin1(frame);
    r.slot = QString::fromLatin1(slot);
    r.port = QString::fromLatin1(port);
    r.ontId = QString::fromLatin1(id);
    r.name = name;
    r.serialOrMac = serialOrMac;
    r.ponType = QStringLiteral("G.PON");
    return r;
}

// The report as a browser-like reader sees it.
struct Rendered
{
    QString html;
    QString plain;
    QList<QList<QStringList>> tables;   // each table's rows, each row's cell texts
    QStringList links;
};

QString cellText(const QTextTableCell &cell)
{
    QTextCursor c = cell.firstCursorPosition();
    c.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return c.selectedText();
}

Rendered render(const QByteArray &bytes)
{
    Rendered out;
    out.html = QString::fromUtf8(bytes);
    QTextDocument doc;
    doc.setHtml(out.html);
    out.plain = doc.toPlainText();
    for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table)
            continue;
        QList<QStringList> rows;
        for (int r = 0; r < table->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columns(); ++c)
                cells << cellText(table->cellAt(r, c));
            rows << cells;
        }
        out.tables << rows;
    }
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isAnchor())
                out.links << f.anchorHref() + u' ' + it.fragment().text();
        }
    }
    return out;
}

const QStringList kHeaderRow{QStringLiteral("Opis"), QStringLiteral("SN"), QStringLiteral("ID")};

TEST(SlotReport, NamesShowLiterallyWhateverTheyHold)
{
    const QString hostile[] = {
        QStringLiteral("<script>alert(1)</script>"),
        QStringLiteral("A & B \"quoted\""),
        QStringLiteral("Łukasz Żółć"),
        QStringLiteral("O'Brien"),
        QStringLiteral("&lt;already escaped&gt;"),
    };
    std::vector<OntRecord> rows;
    for (const QString &name : hostile) {
        const int id = int(rows.size());
        rows.push_back(ont("0", "1", "3", QByteArray::number(id).constData(), name, QStringLiteral("HWTC<%1>").arg(id)));
    }

    const QByteArray bytes = core::slotReportHtml(rows);
    // A browser reading the file knows it is UTF-8 without guessing.
    EXPECT_EQ(QStringConverter::encodingForHtml(bytes), QStringConverter::Utf8);

    const Rendered report = render(bytes);
    ASSERT_EQ(report.tables.size(), 1);
    const QList<QStringList> &table = report.tables[0];
    ASSERT_EQ(table.size(), qsizetype(std::size(hostile)) + 1);
    EXPECT_EQ(table[0], kHeaderRow);
    for (qsizetype i = 0; i < qsizetype(std::size(hostile)); ++i) {
        const QString &name = hostile[i];
        EXPECT_EQ(table[i + 1], (QStringList{name, QStringLiteral("HWTC<%1>").arg(i), QString::number(i)}));
        EXPECT_TRUE(report.plain.contains(name)) << name.toStdString();
        // Not even inside an attribute could a value close a quote or open a tag.
        if (name.contains(QRegularExpression(QStringLiteral("[<>&\"']")))) {
            EXPECT_FALSE(report.html.contains(name)) << name.toStdString();
        }
    }
    EXPECT_TRUE(report.plain.contains(QStringLiteral("OLT_Slot_Port: 0/1/3 [5 onts]")));
}

TEST(SlotReport, OneTableForEachFrameSlotAndPortInOrderOfFirstAppearance)
{
    const std::vector<OntRecord> rows = {
        ont("0", "1", "10", "0", QStringLiteral("first of 0/1/10"), QStringLiteral("SN-A")),
        ont("0", "11", "0", "4", QStringLiteral("only of 0/11/0"), QStringLiteral("SN-B")),
        ont("0", "1", "10", "7", QStringLiteral("second of 0/1/10"), QStringLiteral("SN-C")),
        ont("0", "0", "1", "1", QStringLiteral("only of 0/0/1"), QStringLiteral("SN-D")),
    };
    const Rendered report = render(core::slotReportHtml(rows));

    const QList<QList<QStringList>> expected = {
        {kHeaderRow, {"first of 0/1/10", "SN-A", "0"}, {"second of 0/1/10", "SN-C", "7"}},
        {kHeaderRow, {"only of 0/11/0", "SN-B", "4"}},
        {kHeaderRow, {"only of 0/0/1", "SN-D", "1"}},
    };
    EXPECT_EQ(report.tables, expected);

    const QStringList headings = {
        QStringLiteral("OLT_Slot_Port: 0/1/10 [2 onts]"),
        QStringLiteral("OLT_Slot_Port: 0/11/0 [1 onts]"),
        QStringLiteral("OLT_Slot_Port: 0/0/1 [1 onts]"),
    };
    qsizetype from = 0;
    for (const QString &h : headings) {
        const qsizetype at = report.plain.indexOf(h, from);
        EXPECT_GE(at, from) << h.toStdString() << " in\n" << report.plain.toStdString();
        from = std::max(from, at);
    }
}

TEST(SlotReport, EmptyListGivesTheHeaderOnly)
{
    const Rendered report = render(core::slotReportHtml({}));
    EXPECT_TRUE(report.tables.isEmpty());
    EXPECT_EQ(report.plain.trimmed(), QStringLiteral("Tervix https://github.com/tervix"));
    EXPECT_EQ(report.links, QStringList{QStringLiteral("https://github.com/tervix https://github.com/tervix")});
    EXPECT_FALSE(report.plain.contains(QStringLiteral("OLT_Slot_Port")));
}

// Puts the desktop's opener back however the test ends.
struct InstalledOpener
{
    explicit InstalledOpener(ui::UrlOpener *opener) { ui::UrlOpener::install(opener); }
    ~InstalledOpener() { ui::UrlOpener::install(nullptr); }
};

TEST(UrlOpener, AnInstalledRecorderTakesTheUrlsInsteadOfTheDesktop)
{
    ui::RecordingUrlOpener recorder;
    const QUrl report = QUrl::fromLocalFile(QStringLiteral("/data/tervix_ont.html"));
    const QUrl page(QStringLiteral("https://github.com/tervix"));
    {
        InstalledOpener installed(&recorder);
        EXPECT_TRUE(ui::UrlOpener::instance().open(report));
        recorder.setAnswer(false);
        EXPECT_FALSE(ui::UrlOpener::instance().open(page));
    }
    EXPECT_NE(&ui::UrlOpener::instance(), &recorder);
    EXPECT_EQ(recorder.opened(), (QList<QUrl>{report, page}));
}

} // namespace
