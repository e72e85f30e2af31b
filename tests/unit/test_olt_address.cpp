#include "core/last_ip_list.h"
#include "core/olt_address.h"

#include <gtest/gtest.h>

using namespace tervix::core;

namespace {

TEST(OltAddress, HostsAndPortsTheOperatorTypes)
{
    const struct
    {
        const char *text;
        const char *host;
        quint16 port;
    } cases[] = {
        {"192.0.2.10", "192.0.2.10", 23},
        {"192.0.2.10:2323", "192.0.2.10", 2323},
        {"  192.0.2.10  ", "192.0.2.10", 23},
        {"olt-a.example.net", "olt-a.example.net", 23},
        {"OLT_03:23", "OLT_03", 23},
        {"olt:1", "olt", 1},
        {"olt:65535", "olt", 65535},
        {"[2001:db8::1]", "2001:db8::1", 23},
        {"[2001:db8::1]:2323", "2001:db8::1", 2323},
        {"[fe80::1%eth0]:23", "fe80::1%eth0", 23},
        // A bare IPv6 literal cannot carry a port: it is the host.
        {"2001:db8::1", "2001:db8::1", 23},
    };
    for (const auto &c : cases) {
        const OltAddress a = parseOltAddress(QString::fromLatin1(c.text));
        EXPECT_TRUE(a.valid) << c.text;
        EXPECT_EQ(a.host, QString::fromLatin1(c.host)) << c.text;
        EXPECT_EQ(a.port, c.port) << c.text;
    }
}

TEST(OltAddress, RefusesWhatNoHostOrPortIs)
{
    const char *const cases[] = {
        "",
        "   ",
        "olt:0",
        "olt:65536",
        "olt:99999999999",
        "olt:",
        "olt:telnet",
        ":23",
        "[]",
        "[]:23",
        "[2001:db8::1",
        "[2001:db8::1]:0",
        "[2001:db8::1]:65536",
        "[2001:db8::1]x",
    };
    for (const char *text : cases)
        EXPECT_FALSE(parseOltAddress(QString::fromLatin1(text)).valid) << '"' << text << '"';
}

// The typed text goes into the last-address file as it is; a host with a
// blank cannot be reached, and a separator or a line break would split one
// address into several when the file is read back.
TEST(OltAddress, RefusesBlanksControlsAndSeparatorsAnywhere)
{
    const QString cases[] = {
        QStringLiteral("olt a"),
        QStringLiteral("olt\ta"),
        QStringLiteral("olt\u00a0a"),
        QStringLiteral("olt\u200ba"),
        QStringLiteral("olt;a"),
        QStringLiteral("192.0.2.10;"),
        QStringLiteral("192.0.2.10\n"),
        QStringLiteral("192.0.2.10\r\n"),
        QStringLiteral("\n192.0.2.10"),
        QStringLiteral("192.0.2.10\n192.0.2.11"),
        QStringLiteral("192.0.2.10\r192.0.2.11:23"),
        QStringLiteral("olt\x01"),
        QStringLiteral("olt\x7f"),
        QStringLiteral("olt\u0085"),
        QStringLiteral("olt:23\n"),
        QStringLiteral("olt:23;"),
        QStringLiteral("[2001:db8:: 1]:23"),
        QStringLiteral("[2001:db8::1;]"),
        QStringLiteral("[2001:db8::1\n]"),
        QStringLiteral("2001:db8::1 x"),
    };
    for (const QString &text : cases) {
        EXPECT_FALSE(parseOltAddress(text).valid) << qPrintable(text.toUtf8().toPercentEncoding());
    }
}

// What the parser accepts is recorded and read back as one address.
TEST(OltAddress, AcceptedTextIsOneItemOfTheLastAddressFile)
{
    const QString accepted[] = {QStringLiteral("192.0.2.10:2323"), QStringLiteral("[2001:db8::1]:23"),
                                QStringLiteral("olt-a.example.net")};
    for (const QString &text : accepted) {
        ASSERT_TRUE(parseOltAddress(text).valid) << qPrintable(text);
        const LastIpUpdate u = recordLastIp({QStringLiteral("198.51.100.1")}, text);
        ASSERT_TRUE(u.fileLine.has_value());
        EXPECT_EQ(parseLastIpFile(*u.fileLine + QStringLiteral("\r\n")), (QStringList{text, QStringLiteral("198.51.100.1")}));
    }
}

} // namespace
