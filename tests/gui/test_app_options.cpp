#include "app/app_options.h"

#include <QDir>

#include <gtest/gtest.h>

#include <optional>

using tervix::app::AppOptions;
using tervix::app::parseAppOptions;

namespace {

// Sets or clears TERVIX_DATA_DIR for one case and puts back what was there.
class DataDirEnvironment
{
public:
    explicit DataDirEnvironment(const std::optional<QString> &value)
        : m_had(qEnvironmentVariableIsSet(kName))
        , m_old(qgetenv(kName))
    {
        if (value)
            qputenv(kName, value->toLocal8Bit());
        else
            qunsetenv(kName);
    }
    ~DataDirEnvironment()
    {
        if (m_had)
            qputenv(kName, m_old);
        else
            qunsetenv(kName);
    }

private:
    static constexpr char kName[] = "TERVIX_DATA_DIR";
    bool m_had;
    QByteArray m_old;
};

QStringList args(QStringList rest)
{
    rest.prepend(QStringLiteral("tervix"));
    return rest;
}

struct DataDirCase
{
    const char *name;
    std::optional<QString> option;      // --data-dir's value, when given
    std::optional<QString> environment; // TERVIX_DATA_DIR, when set
    QString expected;
};

class AppDataDir : public ::testing::TestWithParam<DataDirCase> {};

const QString kProgramDir = QStringLiteral("/opt/tervix/bin");
const QString kOptionDir = QStringLiteral("/srv/option-dir");
const QString kEnvironmentDir = QStringLiteral("/srv/environment-dir");

TEST_P(AppDataDir, OptionBeforeEnvironmentBeforeProgramFolder)
{
    const DataDirCase &c = GetParam();
    DataDirEnvironment env(c.environment);
    QStringList rest;
    if (c.option)
        rest << QStringLiteral("--data-dir") << *c.option;
    const AppOptions o = parseAppOptions(args(rest), kProgramDir);
    EXPECT_TRUE(o.error.isEmpty()) << o.error.toStdString();
    EXPECT_EQ(o.dataDir, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AppDataDir,
    ::testing::Values(
        DataDirCase{"nothing_given", std::nullopt, std::nullopt, kProgramDir + u'/'},
        DataDirCase{"environment_only", std::nullopt, kEnvironmentDir, kEnvironmentDir + u'/'},
        DataDirCase{"option_only", kOptionDir, std::nullopt, kOptionDir + u'/'},
        DataDirCase{"option_wins_over_environment", kOptionDir, kEnvironmentDir, kOptionDir + u'/'},
        // Set but empty counts as not set.
        DataDirCase{"empty_environment", std::nullopt, QString(), kProgramDir + u'/'},
        DataDirCase{"empty_option_leaves_it_to_the_environment", QString(), kEnvironmentDir, kEnvironmentDir + u'/'},
        // One separator at the end, however the folder was written.
        DataDirCase{"trailing_separators", kOptionDir + QStringLiteral("//"), std::nullopt, kOptionDir + u'/'},
        DataDirCase{"dot_segments", QStringLiteral("/srv/a/../option-dir/."), std::nullopt, kOptionDir + u'/'},
        DataDirCase{"root", QStringLiteral("/"), std::nullopt, QStringLiteral("/")},
        // A relative folder is taken from the working folder, as a shell user expects.
        DataDirCase{"relative_option", QStringLiteral("rel-data"), kEnvironmentDir,
                    QDir::current().absoluteFilePath(QStringLiteral("rel-data")) + u'/'}),
    [](const ::testing::TestParamInfo<DataDirCase> &i) { return std::string(i.param.name); });

TEST(AppOptions, ConnectionFieldsAndTheirGivenFlags)
{
    DataDirEnvironment env(std::nullopt);
    const AppOptions none = parseAppOptions(args({}), kProgramDir);
    EXPECT_TRUE(none.error.isEmpty());
    EXPECT_TRUE(none.host.isEmpty());
    EXPECT_FALSE(none.loginGiven);
    EXPECT_FALSE(none.passwordGiven);
    EXPECT_FALSE(none.connect);

    const AppOptions all = parseAppOptions(args({QStringLiteral("--host"), QStringLiteral("10.0.0.1:2323"),
                                                 QStringLiteral("--login=admin"), QStringLiteral("--password"),
                                                 QStringLiteral("se cret;1"), QStringLiteral("--connect")}),
                                           kProgramDir);
    EXPECT_TRUE(all.error.isEmpty()) << all.error.toStdString();
    EXPECT_EQ(all.host, QStringLiteral("10.0.0.1:2323"));
    EXPECT_EQ(all.login, QStringLiteral("admin"));
    EXPECT_TRUE(all.loginGiven);
    EXPECT_EQ(all.password, QStringLiteral("se cret;1"));
    EXPECT_TRUE(all.passwordGiven);
    EXPECT_TRUE(all.connect);
    EXPECT_EQ(all.dataDir, kProgramDir + u'/');

    // An empty password given on purpose is still given: it replaces the field's text.
    const AppOptions empty = parseAppOptions(args({QStringLiteral("--password=")}), kProgramDir);
    EXPECT_TRUE(empty.passwordGiven);
    EXPECT_TRUE(empty.password.isEmpty());
    EXPECT_FALSE(empty.loginGiven);
}

TEST(AppOptions, ArgumentsThatCannotBeUnderstoodAreReported)
{
    DataDirEnvironment env(std::nullopt);
    for (const QStringList &bad : {QStringList{QStringLiteral("--no-such-option")},
                                   QStringList{QStringLiteral("--data-dir")},
                                   QStringList{QStringLiteral("--host")}}) {
        const AppOptions o = parseAppOptions(args(bad), kProgramDir);
        EXPECT_FALSE(o.error.isEmpty()) << bad.join(u' ').toStdString();
    }
}

} // namespace
