// The oltsim program itself: options, the line saying where it listens, and
// the generator.
#include "sim_client.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
QString programPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/oltsim/oltsim");
}
} // namespace

TEST(SimProgram, ServesTheScenarioAndSaysWhere)
{
    if (!QFileInfo::exists(programPath()))
        GTEST_SKIP() << "oltsim is not built beside the tests";
    QProcess p;
    p.start(programPath(), {QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--scenario"), oltsim::test::demoScenario(),
                            QStringLiteral("--user"), QStringLiteral("tester"), QStringLiteral("--password"), QStringLiteral("secret99")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.canReadLine() || p.state() == QProcess::NotRunning; }, 10000));
    const QString line = QString::fromLatin1(p.readLine()).trimmed();
    const auto m = QRegularExpression(QStringLiteral("^oltsim: MA5608T-DEMO listening on 127\\.0\\.0\\.1:(\\d+)$")).match(line);
    ASSERT_TRUE(m.hasMatch()) << line.toStdString();

    QTcpSocket s;
    s.connectToHost(QStringLiteral("127.0.0.1"), quint16(m.captured(1).toUInt()));
    QByteArray got;
    QObject::connect(&s, &QTcpSocket::readyRead, [&] { got += s.readAll(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return got.contains(">>User name:"); }, 20000));
    // The extra account logs in beside the scenario's.
    s.write("tester\r\nsecret99\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return got.endsWith("MA5608T-DEMO>"); }, 20000)) << got.toStdString();
    p.kill();
    p.waitForFinished(5000);
}

TEST(SimProgram, RefusesBadOptionsAndGenerates)
{
    if (!QFileInfo::exists(programPath()))
        GTEST_SKIP() << "oltsim is not built beside the tests";
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("site.json"));
    const QList<QPair<QStringList, int>> cases = {
        {{QStringLiteral("--listen"), QStringLiteral("nowhere")}, 2},
        {{QStringLiteral("--scenario"), dir.filePath(QStringLiteral("missing.json"))}, 1},
        {{QStringLiteral("--user"), QStringLiteral("alone")}, 2},
        {{QStringLiteral("--fault"), QStringLiteral("sunspots")}, 2},
        {{QStringLiteral("--generate"), QStringLiteral("1500"), QStringLiteral("--scenario"), out}, 0},
    };
    for (const auto &k : cases) {
        QProcess p;
        p.start(programPath(), k.first);
        ASSERT_TRUE(p.waitForFinished(30000)) << k.first.join(u' ').toStdString();
        EXPECT_EQ(p.exitCode(), k.second) << k.first.join(u' ').toStdString();
    }
    oltsim::Simulator sim;
    ASSERT_TRUE(sim.loadFile(out)) << sim.error().toStdString();
    EXPECT_EQ(sim.model().onts.size(), 1500);
}
