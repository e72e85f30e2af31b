#include "core/timing.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

using namespace tervix;

namespace {

struct ScaleCase
{
    const char *name;
    const char *text;
    double factor;
};

class TimeScaleText : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(TimeScaleText, GivesAPositiveFiniteFactorOrOne)
{
    EXPECT_DOUBLE_EQ(timing::scaleFromText(QString::fromLatin1(GetParam().text)), GetParam().factor);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TimeScaleText,
    ::testing::Values(ScaleCase{"unset", "", 1.0},
                      ScaleCase{"tenth", "0.1", 0.1},
                      ScaleCase{"slower", "2.5", 2.5},
                      ScaleCase{"exponent", "5e-2", 0.05},
                      ScaleCase{"spaces_around", " 0.25 ", 0.25},
                      ScaleCase{"huge_but_finite", "1e300", 1e300},
                      ScaleCase{"tiny_but_positive", "1e-9", 1e-9},
                      ScaleCase{"zero", "0", 1.0},
                      ScaleCase{"negative", "-0.5", 1.0},
                      ScaleCase{"overflows_a_double", "1e400", 1.0},
                      ScaleCase{"infinity", "inf", 1.0},
                      ScaleCase{"not_a_number", "nan", 1.0},
                      ScaleCase{"word", "fast", 1.0},
                      ScaleCase{"trailing_junk", "0.1x", 1.0},
                      ScaleCase{"decimal_comma", "0,1", 1.0}),
    [](const ::testing::TestParamInfo<ScaleCase> &i) { return std::string(i.param.name); });

class TimeScale : public ::testing::Test
{
protected:
    void TearDown() override { timing::setScale(0); }
};

TEST_F(TimeScale, ScaledWaitsStayWithinATimersRange)
{
    timing::setScale(1e300);
    EXPECT_EQ(timing::scaled(timing::kKeepAliveMs), 2'000'000'000);
    EXPECT_EQ(timing::scaled(1), 2'000'000'000);
    timing::setScale(std::numeric_limits<double>::infinity());
    EXPECT_EQ(timing::scaled(timing::kQuietMs), 2'000'000'000);
    // However small the factor, a wait never becomes no wait.
    timing::setScale(1e-9);
    EXPECT_EQ(timing::scaled(timing::kQuietMs), 1);
    EXPECT_EQ(timing::scaled(0), 0);
    EXPECT_EQ(timing::scaled(-5), 0);
    timing::setScale(0.1);
    EXPECT_EQ(timing::scaled(timing::kQuietMs), 70);
    EXPECT_EQ(timing::scaled(5), 1); // half a millisecond still waits one
}

TEST_F(TimeScale, AnOverrideThatIsNotPositiveRestoresTheEnvironmentsFactor)
{
    const double fromEnvironment = timing::scale();
    for (double notPositive : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
        timing::setScale(0.5);
        ASSERT_DOUBLE_EQ(timing::scale(), 0.5);
        timing::setScale(notPositive);
        EXPECT_DOUBLE_EQ(timing::scale(), fromEnvironment) << notPositive;
    }
}

// The factor comes from the environment of the process: run this program again
// with TERVIX_TIME_SCALE set and let the child report what it read.
constexpr char kChildEnv[] = "TERVIX_TIME_SCALE_CHILD";

TEST(TimeScaleEnvironmentChild, ReportsTheFactor)
{
    if (qEnvironmentVariableIsEmpty(kChildEnv))
        GTEST_SKIP() << "run by TimeScaleEnvironment only";
    std::printf("factor=%.6g quiet=%d\n", timing::scale(), timing::scaled(timing::kQuietMs));
    std::fflush(stdout);
}

TEST(TimeScaleEnvironment, IsReadFromTervixTimeScale)
{
    const struct
    {
        const char *value;
        const char *report;
    } cases[] = {
        {"0.1", "factor=0.1 quiet=70"},
        {"3", "factor=3 quiet=2100"},
        {"-2", "factor=1 quiet=700"},
        {"fast", "factor=1 quiet=700"},
    };
    for (const auto &c : cases) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kChildEnv), QStringLiteral("1"));
        env.insert(QStringLiteral("TERVIX_TIME_SCALE"), QString::fromLatin1(c.value));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=TimeScaleEnvironmentChild.ReportsTheFactor")});
        ASSERT_TRUE(child.waitForFinished(60000)) << c.value;
        EXPECT_EQ(child.exitCode(), 0) << c.value;
        EXPECT_TRUE(child.readAllStandardOutput().contains(c.report)) << c.value;
    }
}

} // namespace
