#include "core/ont_data_file.h"
#include "registry/ont_list.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>

using namespace tervix;

namespace {

const QString kKey = QStringLiteral("atomic01");
constexpr int kRows = 8192;
const char *kWriterEnv = "TERVIX_TEST_ATOMIC_WRITER_DIR";

// Two lists that differ in every row, so that any mixture of them is seen.
std::vector<core::OntRecord> generation(int g)
{
    std::vector<core::OntRecord> rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        core::OntRecord r;
        r.origin = QStringLiteral("+");
        r.ponType = QStringLiteral("G.PON");
        r.frame = QStringLiteral("0");
        r.slot = QString::number(i / 1024);
        r.port = QString::number(i / 128 % 8);
        r.ontId = QString::number(i % 128);
        r.name = QStringLiteral("Klient %1 pokolenie %2 żółw").arg(i).arg(g);
        r.serialOrMac = QStringLiteral("48575443%1").arg(i, 8, 16, QLatin1Char('0'));
        r.lineProfile = QStringLiteral("10");
        r.serviceProfile = QStringLiteral("10");
        r.servicePorts = QStringLiteral("-1;%1;1010;0;-1;100;1010;^").arg(i);
        r.levels = QStringLiteral("-");
        r.catv = QStringLiteral("0;1;^");
        r.subscriberId = QString::number(g);
        r.active = QStringLiteral("0");
        core::initBasicTexts(r, QString::number(i), QString());
        rows.push_back(std::move(r));
    }
    return rows;
}

// Run as a separate process by the test below: saves the two generations in
// turn, for ever, until it is killed.
TEST(OntListAtomicWriter, SavesUntilKilled)
{
    const QString dir = qEnvironmentVariable(kWriterEnv);
    if (dir.isEmpty())
        GTEST_SKIP() << "only runs as the writer of OntListAtomic";
    registry::OntList list;
    list.setFile(dir, kKey);
    const auto a = generation(0);
    const auto b = generation(1);
    for (int n = 0;; ++n) {
        list.replaceAll(n % 2 ? b : a);
        if (!list.save())
            return;
        if (n == 1) {
            std::fputs("writing\n", stdout);
            std::fflush(stdout);
        }
    }
}

TEST(OntListAtomic, KillingTheProgramDuringASaveLeavesTheOldOrTheNewFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString app = dir.path() + QLatin1Char('/');
    const QString file = app + QStringLiteral("data-") + kKey + QStringLiteral(".ph");
    const QString texts[2] = {core::dataFileText(generation(0)), core::dataFileText(generation(1))};
    QRandomGenerator gen(7);

    for (int round = 0; round < 6; ++round) {
        QProcess writer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kWriterEnv), app);
        writer.setProcessEnvironment(env);
        writer.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--gtest_filter=OntListAtomicWriter.SavesUntilKilled")});
        ASSERT_TRUE(writer.waitForStarted(10000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return writer.readAllStandardOutput().contains("writing"); }, 60000));
        QTest::qWait(int(gen.bounded(40)));
        writer.kill();
        ASSERT_TRUE(writer.waitForFinished(10000));

        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString text = core::decodeDataFile(f.readAll());
        EXPECT_TRUE(text == texts[0] || text == texts[1]) << "round " << round << ": a torn file of " << text.size()
                                                          << " characters";
        EXPECT_EQ(core::parseDataFile(text).records.size(), size_t(kRows));
    }
}

} // namespace
