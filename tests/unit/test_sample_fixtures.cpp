// The captured OLT output the tests read ships with them, with its licence
// notice and its sources, and a sample that is not there fails loudly.
#include "test_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using tervix::test::readSample;
using tervix::test::readSampleBytes;
using tervix::test::samplesDir;
using tervix::test::sourceDir;

namespace {

TEST(SampleFixtures, AMissingSampleFailsInsteadOfReadingAsEmpty)
{
    EXPECT_NONFATAL_FAILURE(readSample(QStringLiteral("no_such_listing__ntc9.txt")), "no_such_listing__ntc9.txt");
    EXPECT_NONFATAL_FAILURE(readSampleBytes(QStringLiteral("no_such_listing__ntc9.txt")), "cannot read the sample");
}

TEST(SampleFixtures, LiveInTheProjectWithTheirNoticeAndEveryFileSourced)
{
    const QString dir = QFileInfo(samplesDir()).canonicalFilePath();
    ASSERT_FALSE(dir.isEmpty()) << samplesDir().toStdString();
    EXPECT_TRUE(dir.startsWith(QFileInfo(sourceDir()).canonicalFilePath() + u'/')) << dir.toStdString();

    EXPECT_TRUE(readSample(QStringLiteral("NOTICE")).contains(QStringLiteral("Apache License, Version 2.0")));
    const QString sources = readSample(QStringLiteral("SOURCES.md"));
    ASSERT_FALSE(sources.isEmpty());
    // Every listing the sources name is here, and every listing here is named there.
    QSet<QString> named;
    const QRegularExpression row(QStringLiteral("^\\| `([^`/]+\\.txt)` \\|"), QRegularExpression::MultilineOption);
    for (auto it = row.globalMatch(sources); it.hasNext();)
        named.insert(it.next().captured(1));
    ASSERT_FALSE(named.isEmpty());
    const QStringList present = QDir(dir).entryList({QStringLiteral("*.txt")}, QDir::Files);
    EXPECT_EQ(QSet<QString>(present.begin(), present.end()), named);
    for (const QString &file : named)
        EXPECT_FALSE(readSampleBytes(file).isEmpty()) << file.toStdString();
}

} // namespace
