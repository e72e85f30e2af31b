#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace tervix::core {

// A batch is typed blind; afterwards the receive buffer tells how the OLT took
// each line. The OLT echoes every line it reads after its prompt ("HOST#",
// "HOST(config-if-gpon-0/1)#", "HOST(diagnose)%%") or after a confirmation
// question ("... (y/n)[n]:"), closes the echo with a space and a line break,
// prints its answer, and ends with an empty line and its next prompt.
//
// The answer of a typed line is the text between its echo and the next prompt.
// A refusal shows in it as "Failure: ...", "% Unknown command, the error
// locates at '^'" (and the other "% ..." syntax errors), "Error: ...", or a
// result counter that counts a failure ("success: 0", "failed: 1").

enum class LineOutcome {
    Accepted,     // echoed and answered, and the answer refuses nothing
    Refused,      // the answer refuses the line
    Unanswered,   // no echo (the line was dropped or the output cut), or its
                  // answer was cut before the OLT's next prompt
};

struct LineAnswer
{
    QString typed;
    LineOutcome outcome = LineOutcome::Unanswered;
    // What the OLT printed after the echo, one line per line as a terminal
    // shows it (erase sequences and page prompts applied, no carriage returns),
    // without the empty lines.
    QString answer;
    // The OLT's own line that refuses the typed one, trimmed; empty unless refused.
    QString reason;

    friend bool operator==(const LineAnswer &, const LineAnswer &) = default;
};

struct BatchAnswers
{
    QList<LineAnswer> lines; // one for every typed line, in the order typed

    bool allAccepted() const { return firstNotAccepted() < 0; }
    // The first line the OLT did not accept, or -1.
    int firstNotAccepted() const;
    // The lines with this outcome, in order.
    QList<int> withOutcome(LineOutcome outcome) const;
};

// Judges a batch by what the OLT printed while it was typed. typedLines are the
// lines in the order they were typed (core::linesOf of the batch); output is
// the receive buffer from before the first line on. A buffer emptied just
// before the first line went out holds its echo without the prompt; that
// echo counts as well.
//
// The output is walked once, in order: each echo is matched with the earliest
// typed line not yet matched that it repeats, and typed lines skipped on the
// way have no echo. Text the OLT printed about other lines (a line typed
// outside this batch) belongs to no typed line.
BatchAnswers checkBatchAnswers(const QStringList &typedLines, QStringView output);

// The line of an answer by which the OLT refuses a command, trimmed; empty
// when the answer refuses nothing. An explicit refusal ("Failure:", "% ...",
// "Error:") wins over a result counter that only counts one.
QString refusalIn(QStringView answer);

} // namespace tervix::core
