#include "core/last_ip_list.h"
#include "core/olt_identity.h"

#include <gtest/gtest.h>

using namespace tervix::core;

namespace {

const QString kLabel = QStringLiteral(
    "\r\ndisplay elabel backplane 0 \r\n  [Board Properties]\r\n  BoardType=H801MABR\r\n"
    "  BarCode=2102310QHY10H3000123\r\n  Item=02310QHY\r\n  Description=MA5608T,H801MABR,Backplane\r\n"
    "  Manufactured=2017-03-01\r\n\r\nOLT(diagnose)%%");

TEST(OltIdentity, BarcodeIsLowerCasedUpToTheCarriageReturn)
{
    EXPECT_TRUE(labelSeen(kLabel));
    EXPECT_EQ(barcodeFromLabel(kLabel), QStringLiteral("2102310qhy10h3000123"));
    EXPECT_EQ(barcodeFromLabel(QStringLiteral("BarCode=ABC1\r\n  Description=x")), QStringLiteral("abc1"));
    EXPECT_FALSE(labelSeen(QStringLiteral("  Desc=MA5608T\r\n  BarCode=ABC1\r\n")));
}

// The bar code names the OLT's files; whichever line end the label arrives
// with, the key must be the bar code alone and not the lines after it.
TEST(OltIdentity, BarcodeEndsAtTheFirstLineEndOfAnyKind)
{
    struct Case
    {
        const char *name;
        QString label;
    } cases[] = {
        {"CR LF", kLabel},
        {"LF only", QString(kLabel).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))},
        {"CR only", QString(kLabel).replace(QStringLiteral("\r\n"), QStringLiteral("\r"))},
        {"LF CR", QString(kLabel).replace(QStringLiteral("\r\n"), QStringLiteral("\n\r"))},
        {"last line", QStringLiteral("  BarCode=2102310QHY10H3000123")},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(barcodeFromLabel(c.label), QStringLiteral("2102310qhy10h3000123")) << c.name;
        EXPECT_EQ(oltKeyFromBarcode(barcodeFromLabel(c.label)), QStringLiteral("2102310qhy10h3000123")) << c.name;
    }
}

TEST(OltIdentity, KeyNeverLeavesTheDataFolder)
{
    struct Case
    {
        QString barcode;
        QString key;
    } cases[] = {
        {QStringLiteral("2102310qhy10h3000123"), QStringLiteral("2102310qhy10h3000123")},
        {QStringLiteral("../../etc/x"), QStringLiteral("______etc_x")},
        {QStringLiteral(".."), QString()},
        {QStringLiteral("/"), QString()},
        {QStringLiteral("a\\b:c"), QStringLiteral("a_b_c")},
        {QStringLiteral("ab\x01\x1b[2Jcd"), QStringLiteral("ab___2jcd")},
        {QString(), QString()},
        {QStringLiteral("  \t "), QString()},
        {QString(200, u'a'), QString(64, u'a')},
    };
    for (const Case &c : cases) {
        const QString key = oltKeyFromBarcode(c.barcode);
        EXPECT_EQ(key, c.key) << qPrintable(c.barcode);
        EXPECT_FALSE(key.contains(u'/') || key.contains(u'\\') || key.contains(u'.') || key.contains(u':'));
    }
}

TEST(LastIpList, RecordsNewAddressesLastFirstAndIgnoresKnownOnes)
{
    LastIpUpdate u = recordLastIp({QStringLiteral("D")}, QStringLiteral("X"));
    EXPECT_EQ(u.items, (QStringList{"D", "X"}));
    ASSERT_TRUE(u.fileLine.has_value());
    EXPECT_EQ(*u.fileLine, QStringLiteral("X;D;"));
    // After a restart the file gives [X, D]; the shown address is the last item.
    EXPECT_EQ(parseLastIpFile(*u.fileLine + QStringLiteral("\r\n")), (QStringList{"X", "D"}));

    u = recordLastIp({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, QStringLiteral("B"));
    EXPECT_FALSE(u.fileLine.has_value());
    EXPECT_EQ(u.items, (QStringList{"A", "B", "C"}));

    EXPECT_EQ(parseLastIpFile(QStringLiteral("10.0.0.1;10.0.0.2;trailing")), (QStringList{"10.0.0.1", "10.0.0.2"}));
    EXPECT_TRUE(parseLastIpFile(QString()).isEmpty());
}

} // namespace
