#pragma once

#include <QString>
#include <QStringView>

namespace tervix::core {

// The OLT's output as a person reads it: without carriage returns and without
// the cursor moves (ESC "[" digits letter) it uses to erase its page prompt
// and to wrap a long echo. The receive buffer keeps the bytes as they came;
// this is only for showing them. Output arrives in pieces, so a sequence cut
// between two pieces is held back until its end arrives.
class TerminalTextFilter
{
public:
    // The readable text of the next piece of output.
    QString feed(QStringView piece);
    // A new text starts (the buffer was replaced): forget a held-back sequence.
    void reset() { m_held.clear(); }

private:
    QString m_held;
};

} // namespace tervix::core
