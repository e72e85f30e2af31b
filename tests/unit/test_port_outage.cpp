#include "core/port_outage.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace {

using namespace tervix::core;

const QString kPort = QStringLiteral("0/1/3");
const QDateTime kStart(QDate(2026, 12, 11), QTime(14, 3, 27));
const QDateTime kLater(QDate(2026, 12, 11), QTime(14, 9, 0));

QHash<QString, PortState> portState(int listed, int offline)
{
    return {{kPort, PortState{listed, listed - offline, offline}}};
}

TEST(PortOutage, StartsWhenEnoughOntsDropAndMostOfThePortIsOffline)
{
    struct Case
    {
        const char *what;
        int wentOffline, listed, offline;
        bool starts;
    };
    const Case cases[] = {
        {"4 dropped, 75% offline", 4, 16, 12, true},
        {"4 dropped, all offline", 4, 4, 4, true},
        {"3 dropped, all offline", 3, 3, 3, false},
        {"3 dropped, 75% offline", 3, 4, 3, false},
        {"4 dropped, 74% offline", 4, 100, 74, false},
        {"4 dropped, exactly 75 of 100", 4, 100, 75, true},
        {"many dropped, half offline", 8, 16, 8, false},
    };
    for (const Case &c : cases) {
        const PortOutages got = updateOutages({}, portState(c.listed, c.offline), {{kPort, c.wentOffline}}, kStart);
        const PortOutages expected = c.starts ? PortOutages{{kPort, PortOutage{c.wentOffline, c.listed, kStart}}}
                                              : PortOutages{};
        EXPECT_EQ(got, expected) << c.what;
    }

    // A drop counted on a port the refresh does not list starts nothing.
    EXPECT_TRUE(updateOutages({}, {}, {{kPort, 8}}, kStart).isEmpty());
    // Offline ONTs that did not drop in this refresh are not an outage.
    EXPECT_TRUE(updateOutages({}, portState(8, 8), {}, kStart).isEmpty());
}

TEST(PortOutage, LastsWhileHalfThePortIsOffline)
{
    const PortOutage began{12, 16, kStart};
    const PortOutages current{{kPort, began}};
    struct Case
    {
        const char *what;
        QHash<QString, PortState> after;
        QHash<QString, int> wentOffline;
        bool lasts;
    };
    const Case cases[] = {
        {"still all offline", portState(16, 16), {}, true},
        {"exactly half offline", portState(16, 8), {}, true},
        {"a new drop does not restart it", portState(16, 16), {{kPort, 5}}, true},
        {"less than half offline", portState(16, 7), {}, false},
        {"the port is no longer listed", {{QStringLiteral("0/1/4"), PortState{16, 16, 0}}}, {}, false},
    };
    for (const Case &c : cases) {
        const PortOutages got = updateOutages(current, c.after, c.wentOffline, kLater);
        EXPECT_EQ(got.contains(kPort), c.lasts) << c.what;
        if (c.lasts) {
            EXPECT_EQ(got.value(kPort), began) << c.what;
        }
    }
}

TEST(PortOutage, PortsAreJudgedApart)
{
    const QString other = QStringLiteral("0/2/0");
    const PortOutages current{{kPort, PortOutage{6, 8, kStart}}};
    const QHash<QString, PortState> after{{kPort, PortState{8, 6, 2}}, {other, PortState{8, 2, 6}}};
    const PortOutages got = updateOutages(current, after, {{other, 6}}, kLater);
    EXPECT_EQ(got, (PortOutages{{other, PortOutage{6, 8, kLater}}}));
}

TEST(PortOutage, Text)
{
    EXPECT_EQ(outageText(PortOutage{12, 16, kStart}),
              QStringLiteral("Awaria portu / Port outage: 12 z/of 16 ONT offline od/since 2026-12-11 14:03"));
}

} // namespace
