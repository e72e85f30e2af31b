#include "core/command_batch.h"

namespace tervix::core {

CommandBatch batchOf(const QStringList &lines, int waitAfterEachMs, bool clearFirst)
{
    CommandBatch b;
    b.reserve(lines.size());
    for (const QString &l : lines)
        b.append(PacedLine::send(l, waitAfterEachMs, clearFirst));
    return b;
}

QStringList linesOf(const CommandBatch &batch)
{
    QStringList out;
    for (const PacedLine &p : batch) {
        if (p.typesLine)
            out.append(p.line);
    }
    return out;
}

} // namespace tervix::core
