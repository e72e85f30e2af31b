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
