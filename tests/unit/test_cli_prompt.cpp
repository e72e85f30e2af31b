#include "core/cli_prompt.h"

#include "test_paths.h"

#include <gtest/gtest.h>

namespace {

using tervix::core::CliMode;
using tervix::core::lastPromptMode;
using tervix::core::linesToConfigMode;
using tervix::test::crlf;
using tervix::test::readSample;

const char *modeName(CliMode m)
{
    switch (m) {
    case CliMode::Unknown: return "Unknown";
    case CliMode::User: return "User";
    case CliMode::Privileged: return "Privileged";
    case CliMode::Config: return "Config";
    case CliMode::Interface: return "Interface";
    case CliMode::OtherConfig: return "OtherConfig";
    }
    return "?";
}

// A capture as the console receives it: CR LF line ends, and no line break
// after the last line (the OLT prints a prompt or a question and waits; the
// line break at the end of the file is the capture's own).
QString asReceived(const QString &sample)
{
    QString text = crlf(sample);
    if (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    return text;
}

// The first line of a capture up to its prompt character: a prompt the OLT really printed.
QString promptOf(const QString &sample, QChar mark)
{
    const QString first = sample.left(sample.indexOf(u'\n'));
    return first.left(first.indexOf(mark) + 1);
}

const QString kPager = QStringLiteral("---- More ( Press 'Q' to break ) ----");
const QString kErase = QStringLiteral("\x1b[37D") + QString(37, u' ') + QStringLiteral("\x1b[37D");

struct PromptCase
{
    const char *what;
    QString text;
    CliMode expected;
};

TEST(CliPrompt, ModeOfTheLastLine)
{
    const QString unknownCommand = readSample(QStringLiteral("DOC_unknown_command__netmiko_issue1620.txt"));
    const QString logout = readSample(QStringLiteral("DOC_smart_prompt_and_logout__netmiko_issue609.txt"));
    const QString alarm = readSample(QStringLiteral("DOC_alarm_interleaved__netmiko_issue3559.txt"));
    const QString listing = crlf(readSample(QStringLiteral("display_ont_info_0__ntc4.txt")));
    ASSERT_EQ(promptOf(alarm, u'#'), QStringLiteral("OLT(config-if-gpon-0/0)#"));
    ASSERT_EQ(promptOf(logout, u'#'), QStringLiteral("huawei#"));

    const PromptCase cases[] = {
        {"an error and the user prompt after it", asReceived(unknownCommand), CliMode::User},
        {"a line break after the prompt: the prompt is no longer the last line", crlf(unknownCommand), CliMode::Unknown},
        {"the logout question", asReceived(logout), CliMode::Unknown},
        {"an echo whose remark holds '#'", asReceived(alarm), CliMode::Unknown},
        {"an interface prompt after an alarm report", crlf(alarm) + QStringLiteral("\r\n") + promptOf(alarm, u'#'),
         CliMode::Interface},
        {"privileged prompt of a capture", QStringLiteral("\r\n\r\n") + promptOf(logout, u'#'), CliMode::Privileged},
        {"listing, then the configuration prompt",
         QStringLiteral("display ont info 0 all \r\n") + listing + QStringLiteral("\r\n\r\nMA5608T(config)#"), CliMode::Config},
        {"prompt with a trailing space", QStringLiteral("\r\n\r\nMA5608T(config)# "), CliMode::Config},
        {"LF line ends", QStringLiteral("quit \n\nOLT-NTC#"), CliMode::Privileged},
        {"user prompt", QStringLiteral("\r\nOLT-NTC>"), CliMode::User},
        {"GPON interface", QStringLiteral("\r\n\r\nMA5608T(config-if-gpon-0/4)#"), CliMode::Interface},
        {"EPON interface", QStringLiteral("\r\n\r\nOLT-NTC(config-if-epon-0/1)#"), CliMode::Interface},
        {"line profile sub-mode", QStringLiteral("\r\n\r\nhuawei(config-gpon-lineprofile-10)#"), CliMode::OtherConfig},
        {"BTV sub-mode", QStringLiteral("\r\n\r\nMA5608T(config-btv)#"), CliMode::OtherConfig},
        {"diagnose mode is not on the way", QStringLiteral("\r\n\r\nMA5608T(diagnose)%%"), CliMode::Unknown},
        {"the pager waits for a key", listing + QStringLiteral("\r\n") + kPager, CliMode::Unknown},
        {"the pager erased and the prompt drawn over it", listing + QStringLiteral("\r\n") + kPager + kErase + QStringLiteral("MA5608T(config)#"),
         CliMode::Config},
        {"only the erase left in the buffer, then the prompt", kErase + QStringLiteral("OLT-NTC(config-if-gpon-0/4)#"),
         CliMode::Interface},
        {"'Q' pressed at the pager", kPager + kErase + QStringLiteral("\r\nOLT-NTC(config)#"), CliMode::Config},
        {"the next page drawn over the erased pager", kPager + kErase + QStringLiteral("  0/ 1/0    1     4857544300000001  active"),
         CliMode::Unknown},
        {"an echoed command ending in '#'", QStringLiteral("\r\n\r\nOLT-NTC(config)#display current-configuration | include #"),
         CliMode::Unknown},
        {"a text line that merely holds '#'", QStringLiteral("\r\n  #  display ont info 0 all"), CliMode::Unknown},
        {"a text line ending in '#' that is no prompt", QStringLiteral("\r\n  #  display ont info 0 #"), CliMode::Unknown},
        {"a text line ending in '>'", QStringLiteral("\r\n  Enter the ONT's address ->"), CliMode::Unknown},
        {"an echo wrapped at column 80 and still running",
         QStringLiteral("\r\nOLT-NTC(config-if-gpon-0/1)#ont add 1 5 sn-auth 4857544300000005 omci ont-lineprofile-id 1 \x1b[1D"
                        "0 ont-srvprofile-id 10 desc \"x#\""),
         CliMode::Unknown},
        {"a yes/no question", QStringLiteral("\r\n  Are you sure to reset the ONT(s)? (y/n)[n]:"), CliMode::Unknown},
        {"the smart prompt's hint", QStringLiteral("display ont info 0 all\r\n{ <cr>||<K> }: "), CliMode::Unknown},
        {"the login prompt", QStringLiteral("\r\n>>User name:"), CliMode::Unknown},
        {"a line end half arrived", QStringLiteral("\r\nMA5608T(config)#\r"), CliMode::Unknown},
        {"a cursor move cut short", QStringLiteral("\r\nMA5608T(config)#\x1b[3"), CliMode::Unknown},
        {"nothing yet", QString(), CliMode::Unknown},
    };
    for (const PromptCase &c : cases)
        EXPECT_EQ(modeName(lastPromptMode(c.text)), std::string(modeName(c.expected))) << c.what;
}

TEST(CliPrompt, LinesToConfigurationMode)
{
    const struct
    {
        CliMode from;
        QStringList lines;
    } cases[] = {
        {CliMode::Config, {}},
        {CliMode::Interface, {QStringLiteral("quit")}},
        {CliMode::OtherConfig, {QStringLiteral("quit")}},
        {CliMode::Privileged, {QStringLiteral("config")}},
        {CliMode::User, {QStringLiteral("enable"), QStringLiteral("config")}},
        // Without a prompt nothing is typed: a line meant for one mode could
        // answer a question or a pager instead.
        {CliMode::Unknown, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(linesToConfigMode(c.from), c.lines) << modeName(c.from);
}

} // namespace
