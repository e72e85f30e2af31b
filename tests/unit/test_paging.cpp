#include "core/paging.h"

#include <gtest/gtest.h>

using tervix::core::collectPage;

namespace {

const QString kPrompt = QStringLiteral("---- More ( Press 'Q' to break ) ----");
const QString kErase = QStringLiteral("\x1b[37D") + QString(37, u' ') + QStringLiteral("\x1b[37D");

TEST(Paging, ThreePagesReachTheParserJoinedWithTwoSpaces)
{
    const QString page1 = QStringLiteral("\r\ndisplay service-port all \r\n  INDEX VLAN\r\n  1     100\r\n");
    // Page 2 as the OLT answers the continuation key, then the extra line the
    // carriage return brought, between its own erase sequence and prompt.
    const QString memo2 = kErase + QStringLiteral("  2     200\r\n  3     300\r\n") + kPrompt + kErase
        + QStringLiteral("  4     400\r\n") + kPrompt;
    const QString memo3 = kErase + QStringLiteral("  5     500\r\n  Total: 5\r\n\r\nOLT(config)#");

    QString paged;
    EXPECT_TRUE(collectPage(page1 + kPrompt, paged));
    EXPECT_EQ(paged, page1);
    EXPECT_TRUE(collectPage(memo2, paged));
    EXPECT_FALSE(collectPage(memo3, paged));
    EXPECT_EQ(paged, page1 + QStringLiteral("  2     200\r\n  3     300\r\n") + QStringLiteral("  4     400\r")
                         + QStringLiteral("  5     500\r\n  Total: 5\r\n\r\nOLT(config)#"));
    EXPECT_FALSE(paged.contains(QStringLiteral("More ( Press"), Qt::CaseInsensitive));
    EXPECT_FALSE(paged.contains(QChar(0x1b)));
}

TEST(Paging, PromptInAnotherCaseContinuesButCollectsNothing)
{
    QString paged = QStringLiteral("earlier");
    const QString memo = QStringLiteral("  some lines\r\n---- MORE ( PRESS 'Q' to break ) ----");
    EXPECT_TRUE(collectPage(memo, paged));
    EXPECT_EQ(paged, QStringLiteral("earlier"));
}

TEST(Paging, ShortListingIsOnePieceWithLeadingSeparator)
{
    QString paged;
    EXPECT_FALSE(collectPage(QStringLiteral("\r\nTotal: 2\r\n\r\nOLT#"), paged));
    EXPECT_EQ(paged, QStringLiteral("  \r\nTotal: 2\r\n\r\nOLT#"));
}

} // namespace
