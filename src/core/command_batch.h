#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace tervix::core {

// One entry of a command batch: a line to type (ended by one carriage return)
// and the time to wait after it. A line may empty the receive buffer just
// before it goes out. A wait-only entry types nothing.
struct PacedLine
{
    QString line;
    int waitAfterMs = 0;
    bool clearFirst = false;
    bool typesLine = true;

    static PacedLine send(QString l, int waitMs = 0, bool clear = false)
    {
        return PacedLine{std::move(l), waitMs, clear, true};
    }
    static PacedLine wait(int waitMs) { return PacedLine{QString(), waitMs, false, false}; }

    friend bool operator==(const PacedLine &, const PacedLine &) = default;
};

using CommandBatch = QList<PacedLine>;

// Convenience for builders: every line followed by the same wait.
CommandBatch batchOf(const QStringList &lines, int waitAfterEachMs, bool clearFirst = false);
// The lines a batch types, in order (for tests and for the typed-commands log).
QStringList linesOf(const CommandBatch &batch);

} // namespace tervix::core
