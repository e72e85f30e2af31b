#include "core/form_input_rules.h"

#include <gtest/gtest.h>

namespace {

using namespace tervix::core;

TEST(FormInput, NumbersHoldOnlyTheirDigits)
{
    const struct
    {
        const char *text;
        bool startsWithDigit;
        bool onlyNumber;
    } cases[] = {
        {"12", true, true},      {"0", true, true},         {"", false, false},     {"Auto", false, false},
        {"7 ", true, false},     {"0 sn-auth X", true, false}, {" 7", false, false}, {"1;2", true, false},
        {"-1", false, false},    {"1\r", true, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(startsWithDigit(QString::fromLatin1(c.text)), c.startsWithDigit) << c.text;
        EXPECT_EQ(isPlainNumber(QString::fromLatin1(c.text)), c.onlyNumber) << c.text;
    }
    // Digits of other scripts are not the OLT's numbers.
    EXPECT_FALSE(isPlainNumber(QStringLiteral("\u0661\u0662")));
}

TEST(FormInput, NamesThatWouldBreakTheCommandOrTheFile)
{
    const struct
    {
        QString name;
        bool ok;
    } cases[] = {
        {QStringLiteral("Jan Kowalski m 4"), true},
        {QStringLiteral("Zolta 5/7 (klatka B)"), true},
        {QStringLiteral("say \"hi\""), false},
        {QStringLiteral("a\rquit"), false},
        {QStringLiteral("a\nquit"), false},
        {QStringLiteral("a\x1b[2J"), false},
        {QStringLiteral("a\u0085b"), false},
        {QStringLiteral("a^!b"), false},
        {QStringLiteral("a*^b"), false},
        {QStringLiteral("*"), false},
        {QStringLiteral("a^b*c!"), true},
        {QString(), false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(nameError(c.name).isEmpty(), c.ok) << c.name.toStdString();
}

TEST(FormInput, MacOrSnCharacters)
{
    for (const char *ok : {"4857544311E70E9A", "00e0-fc12-3456", "00:E0:FC:12:34:56", "00E0.FC12.3456"})
        EXPECT_TRUE(isValidSerialOrMac(QString::fromLatin1(ok))) << ok;
    for (const char *bad : {"4857544311E70E9A (HWTC-11E70E9A)", "485754 omci", "48\"57", ""})
        EXPECT_FALSE(isValidSerialOrMac(QString::fromLatin1(bad))) << bad;
}

TEST(FormInput, NamesFromElsewhereAreMadeFit)
{
    const struct
    {
        QString in;
        QString out;
    } cases[] = {
        {QStringLiteral("Jan \"Kowal\"\r\nquit"), QStringLiteral("Jan  Kowal   quit")},
        {QStringLiteral("a^!b*^c"), QStringLiteral("a^ !b* ^c")},
        {QStringLiteral("plain"), QStringLiteral("plain")},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(makeFit(c.in), c.out);
        EXPECT_TRUE(textError(makeFit(c.in)).isEmpty());
    }
}

} // namespace
