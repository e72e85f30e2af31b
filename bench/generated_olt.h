#pragma once

// What the benchmarks measure on: a frame of n ONTs laid out as a working OLT
// holds them (128 ONTs a port, 16 ports a board from slot 1 on), as the OLT
// lists it and as the console's list holds it. One generator, so that the
// benchmarks of the state listing, the import, the recount and the picture
// measure the same OLT.

#include "core/ont_record.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace tervix::bench {

inline constexpr int kOntsPerPort = 128;
inline const QString kSeparator =
    QStringLiteral("  -----------------------------------------------------------------------------");

inline int slotOf(int ont) { return 1 + ont / kOntsPerPort / 16; }
inline int portOf(int ont) { return ont / kOntsPerPort % 16; }
inline int idOf(int ont) { return ont % kOntsPerPort; }

inline QString serial(int i)
{
    return QStringLiteral("48575443%1").arg(i, 8, 16, QLatin1Char('0')).toUpper();
}

// The lines of "display ont info 0 all": per port the state table, the
// description table and the footer; every 7th ONT offline.
inline QStringList stateListingLines(int onts)
{
    QStringList out;
    for (int first = 0; first < onts; first += kOntsPerPort) {
        const int slot = slotOf(first);
        const int port = portOf(first);
        const int n = std::min(kOntsPerPort, onts - first);
        const QString place = QStringLiteral("0/%1/%2").arg(slot, 2).arg(port).leftJustified(7);
        if (!out.isEmpty())
            out << QString();
        out << kSeparator
            << QStringLiteral("  F/S/P   ONT         SN         Control     Run      Config   Match    Protect")
            << QStringLiteral("          ID                     flag        state    state    state    side ") << kSeparator;
        int online = 0;
        for (int i = 0; i < n; ++i) {
            const bool on = (first + i) % 7 != 0;
            online += on ? 1 : 0;
            out << QStringLiteral("  ") + place + QStringLiteral("%1  ").arg(i, 4) + serial(first + i)
                    + (on ? QStringLiteral("  active      online   normal   match    no ")
                          : QStringLiteral("  active      offline  initial  initial  no "));
        }
        out << kSeparator << QStringLiteral("  F/S/P   ONT-ID   Description") << kSeparator;
        for (int i = 0; i < n; ++i)
            out << QStringLiteral("  ") + place
                    + QStringLiteral("%1   Klient %2 ul. Polna %3").arg(i, 7).arg(first + i).arg(i);
        out << kSeparator
            << QStringLiteral("  In port 0/%1/%2, the total of ONTs are: %3, online: %4")
                   .arg(slot, 2)
                   .arg(QString::number(port).leftJustified(2))
                   .arg(n)
                   .arg(online)
            << kSeparator;
    }
    return out;
}

// The console's list of the same ONTs after a pass: mostly online and
// normal, a share offline, bad and critical, a few freed places. With
// staleOfflineClass the offline tiles still say "critical" from an earlier
// reading (the recount must not count them so).
inline std::vector<core::OntRecord> scannedList(int onts, bool staleOfflineClass)
{
    using namespace tervix::core;
    std::vector<OntRecord> rows;
    rows.reserve(size_t(onts));
    for (int i = 0; i < onts; ++i) {
        OntRecord r;
        r.ponType = QStringLiteral("G.PON");
        r.frame = QStringLiteral("0");
        r.slot = QString::number(slotOf(i));
        r.port = QString::number(portOf(i));
        r.ontId = QString::number(idOf(i));
        r.active = i % 50 == 0 ? QStringLiteral("1") : QStringLiteral("0");
        const int kind = i % 20;
        if (kind == 0) {
            r.slot = r.port = r.frame = QStringLiteral("-");
            r.image = r.basicImage = RowImage::Freed;
        } else if (kind < 3) {
            r.image = r.basicImage = RowImage::Offline;
            r.signalCell = staleOfflineClass ? QStringLiteral("GPON\n> Critical Signal!\nONT: -29 OLT: -21")
                                             : QStringLiteral("GPON\n> OFF ONT\nONT: off OLT: off");
        } else {
            r.image = r.basicImage = RowImage::Online;
            r.signalCell = kind == 3   ? QStringLiteral("GPON\n> Critical Signal!\nONT: -29 OLT: -21")
                           : kind == 4 ? QStringLiteral("GPON\n> Bad Signal!\nONT: -26 OLT: -21")
                                       : QStringLiteral("GPON\n> Signal Normal\nONT: -20 OLT: -22");
        }
        rows.push_back(std::move(r));
    }
    return rows;
}

} // namespace tervix::bench
