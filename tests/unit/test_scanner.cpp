#include "core/scanner.h"

#include <gtest/gtest.h>

using tervix::core::Scanner;

namespace {

struct CutCase
{
    const char *text;
    const char *marker;
    const char *expected;
};

class CutThrough : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutThrough, DropsThroughMarkerOrLengthMinusOneWhenAbsent)
{
    const CutCase c = GetParam();
    Scanner s{QString::fromLatin1(c.text)};
    s.cutThrough(QString::fromLatin1(c.marker));
    EXPECT_EQ(s.restString(), QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, CutThrough, ::testing::Values(
    CutCase{"abc:def", ":", "def"},
    CutCase{"abc:def:ghi", ":", "def:ghi"},            // first occurrence only
    CutCase{"abcdef", ":", "abcdef"},                  // absent one-character marker: nothing
    CutCase{"abcdef", "::", "bcdef"},                  // absent two-character marker: first character
    CutCase{"abcdef", "xyz", "cdef"},                  // absent three-character marker: two
    CutCase{"ab", "wxyz", ""},                         // never past the end
    CutCase{"", "::", ""},
    CutCase{"Ont SN : 1234", "SN", " : 1234"},
    CutCase{"x  y", "  ", "y"}));

TEST(Scanner, BeforeIsEmptyWhenAbsentAndIsCaseSensitive)
{
    Scanner s(QStringLiteral("Number: 5\r\nrest"));
    EXPECT_EQ(s.before(u"\r"), QStringLiteral("Number: 5"));
    EXPECT_EQ(s.before(u"number"), QString());
    EXPECT_EQ(s.before(u"zzz"), QString());
    EXPECT_EQ(s.takeBefore(u": "), QStringLiteral("Number"));
    EXPECT_EQ(s.restString(), QStringLiteral("5\r\nrest"));
}

TEST(Scanner, SkipBlanksKeepsCarriageReturns)
{
    EXPECT_EQ(tervix::core::trimLeadingSpaces(u" \t\n x y"), QStringLiteral("x y"));
    EXPECT_EQ(tervix::core::trimLeadingSpaces(u"  \r\n x"), QStringLiteral("\r\n x"));
    EXPECT_EQ(tervix::core::trimLeadingSpaces(u" \t\n "), QString());
    Scanner s(QStringLiteral("   \n\tvalue"));
    s.skipBlanks();
    EXPECT_EQ(s.restString(), QStringLiteral("value"));
}

TEST(Scanner, OutputTailDropsLineBreaks)
{
    using tervix::core::outputTail;
    EXPECT_EQ(outputTail(u"ab\r\ncd", 100), QStringLiteral("abcd"));
    QString long300;
    for (int i = 0; i < 300; ++i)
        long300.append(QChar(u'a' + i % 26));
    EXPECT_EQ(outputTail(long300, 100), long300.right(101));
    // Line breaks within the tail count towards the 101 characters.
    EXPECT_EQ(outputTail(QString(200, u'x') + QStringLiteral("\r\nOLT#"), 5), QStringLiteral("OLT#"));
}

} // namespace
