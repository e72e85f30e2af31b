#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace tervix::core {

// The receive levels of one ONT as the console stores them: the ONT's and the
// OLT's receive level in whole dBm, or "off" for an ONT that is not online.
struct OpticalLevels
{
    bool off = false;
    int ontRx = 0;
    int oltRx = 0;

    static OpticalLevels offline() { return {true, 0, 0}; }
    static OpticalLevels of(int ontRx, int oltRx) { return {false, ontRx, oltRx}; }

    // The stored text: "ont*olt*" with signed whole numbers ("-21*-24*"),
    // or exactly "off*off*".
    QString text() const;
    // Reads a stored text back. Anything but two whole numbers each ended by
    // "*", or "off*off*", is not a pair: a list cell that holds something
    // else must not turn into levels of 0.
    static std::optional<OpticalLevels> fromText(QStringView text);

    bool operator==(const OpticalLevels &) const = default;
};

// What one answer to "display ont optical-info P ID" says about the ONT.
struct OpticalReading
{
    // Absent: the answer held no reading, and the ONT's row and history must
    // stay as they were.
    std::optional<OpticalLevels> levels;
    // Why there is no reading, for the trace log; empty when there is one.
    QString reason;

    bool operator==(const OpticalReading &) const = default;
};

// Reads the exchange for one ONT (echo, answer, prompts, possibly an alarm the
// OLT printed in between). Levels come only from the lines labelled
// "Rx optical power(dBm)" and "OLT Rx ONT optical power(dBm)", and only when
// both hold a number; text after the number (", remark") is ignored. The
// OLT's "Failure: The ONT is not online" gives "off". Everything else (a board
// that does not exist, an unknown command, a level of "-") is no reading:
// storing it as levels would show a dead ONT as one with a normal signal.
OpticalReading readOntOptics(QStringView exchange);

// The number a level field starts with ("-24.45, out of range" -> -24.45),
// rounded to whole dBm, halves to the even neighbour. No number: nothing.
std::optional<int> leadingLevel(QStringView field);

} // namespace tervix::core
