#pragma once

#include "olt_model.h"

#include <QStringList>

namespace oltsim {

// The OLT's listings, laid out as the captured samples show them (indentation,
// separator lengths, column starts, closing lines). Each function returns the
// output lines without line ends; the session adds CR LF and pages them.
namespace listings {

QString separator(int indent, int hyphens);

enum class AutofindLayout { Old, New };
QStringList autofind(const OltModel &m, AutofindLayout layout);

// How a firmware lays out the ONT state listing, where captures differ.
struct StateListingStyle
{
    bool twoLineDescriptionHeader = false; // "F/S/P       ONT  Description" / "ID"
    bool offlineInFooter = false;          // "the total number of ONTs are: N, online: M, offline: K"
    int descriptionPadding = 0;            // descriptions padded with spaces to this width
    int descriptionWrap = 0;               // >0: longer descriptions go on on lines of this many characters
    bool emptyPortFooters = false;         // frame listings: every empty port of a PON board as its footer alone
};

// "display ont info F all" (frame = -1 slot), "display ont info F S P all" / "display ont info P all".
QStringList ontStateBlocks(const OltModel &m, int frame, int slot = -1, int port = -1, const StateListingStyle &style = {});
QStringList ontSummary(const OltModel &m, int f, int s, int p, const QList<Optics> &levels);
QStringList macAddressOntTable(const OltModel &m, const Ont &o);
QStringList ontDetail(const OltModel &m, const Ont &o);
QStringList opticalDetail(const OltModel &m, const Ont &o, const Optics &levels);
QStringList opticalPortAll(const OltModel &m, int f, int s, int p, const QList<Optics> &levels);

// An alarm the OLT reports on its own, laid out as the captured report is:
// "  ! N [date]:", an empty line, the ALARM line, labelled fields whose text
// wraps at 78 columns onto lines indented to the value column, "  --- END".
struct Alarm
{
    int sequence = 1;
    int serial = 11111;
    QString raisedAt;           // "17/01/2025 00:00:00+01:00"
    QString level = QStringLiteral("WARNING");
    QString code = QStringLiteral("0x2e112007");
    QString category = QStringLiteral("SERVICE QUALITY");
    QString name = QStringLiteral("The distribute fiber is broken or the OLT cannot receive expected optical signals from the ONT(LOSi/LOBi)");
    QString serviceEffect = QStringLiteral("SA");
    QString parameters;
    QString description = QStringLiteral("The OLT cannot receive expected optical signals from the ONT in four consecutive frames");
    QStringList causes = {QStringLiteral("(1) The fiber is broken"), QStringLiteral("(2) The quality of the optical path is poor"),
                          QStringLiteral("(3) The ONT hardware fails")};
    QStringList advice = {QStringLiteral("(1) Check tributary optical fiber connection and backbone optical fiber orderly, clean the fiber connector and replace the fiber if necessary"),
                          QStringLiteral("(2) Ensure that the optical attenuation of the optical path is normal"),
                          QStringLiteral("(3) Reset the ONT or replace the ONT")};
};
QStringList alarmBlock(const Alarm &alarm);
// The ONT's loss-of-signal alarm, dated by the OLT clock (no ONT: place zeros).
Alarm lossOfSignalAlarm(const OltModel &m, int sequence, const Ont *ont);

QStringList servicePortTable(const OltModel &m, const QList<const ServicePort *> &rows);
QStringList servicePortDetail(const OltModel &m, const ServicePort &sp);
QStringList nextFreeIndex(const OltModel &m);
QStringList macAddressOfOnt(const OltModel &m, const Ont &o);

QStringList boardTable(const OltModel &m);
QStringList vlanTable(const OltModel &m);
QStringList portVlan(const OltModel &m, const QString &port);
QStringList dbaTable(const OltModel &m);
QStringList lineProfileTable(const OltModel &m, bool epon);
QStringList srvProfileTable(const OltModel &m, bool epon);
QStringList igmpUsers(const OltModel &m);
QStringList elabelBackplane(const OltModel &m);
QStringList time(const OltModel &m);
QStringList autosave(const OltModel &m);
QStringList version(const OltModel &m, qint64 uptimeSecs);

QString onlineDuration(qint64 secs);
// "0/ 1/0": the frame listings pad the slot to two characters.
QString paddedPlace(int f, int s, int p);

} // namespace listings
} // namespace oltsim
