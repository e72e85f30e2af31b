#include "core/signal_counts.h"

namespace tervix::core {

namespace {

// A place number of the work table, or -1 when the text is not a number in 0..limit-1.
int tableIndex(const QString &text, int limit)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= 0 && n < limit ? n : -1;
}

// Whether text holds a lower-case ASCII word in any letter case. The list is
// recounted after every status read, tens of thousands of rows at a time, and
// Unicode case folding of every character (what a case-insensitive
// QString::contains does) costs most of the count; the class words are ASCII.
bool holdsWord(QStringView text, QStringView word)
{
    const qsizetype n = word.size();
    for (qsizetype i = 0; i + n <= text.size(); ++i) {
        qsizetype k = 0;
        // A letter matches itself and its capital: c | 0x20 is the lower-case letter only for those two.
        while (k < n && (text[i + k].unicode() | 0x20) == word[k].unicode())
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

} // namespace

SignalCounts countSignals(const std::vector<OntRecord> &rows)
{
    SignalCounts c;
    for (const OntRecord &r : rows) {
        if (r.slot == u"-")
            continue;
        ++c.all;
        if (r.active == u"1")
            ++c.disabled;

        const int slot = tableIndex(r.slot, SignalCounts::kBoards);
        const int port = tableIndex(r.port, SignalCounts::kPorts);
        PortCounts *cell = slot >= 0 && port >= 0 ? &c.ports[size_t(slot)][size_t(port)] : nullptr;
        if (cell) {
            ++c.boardTotals[size_t(slot)];
            ++cell->total;
        }

        if (r.basicImage == RowImage::Offline) {
            // The class an offline tile still shows is what its last reading
            // said while the ONT was live; it says nothing of the ONT now.
            ++c.offline;
            if (cell)
                ++cell->offline;
        } else if (r.basicImage == RowImage::Online) {
            ++c.online;
            if (cell)
                ++cell->online;
            // The tile's status line is searched without regard to letter
            // case; "critical" is looked for first, so a text with both words
            // counts once, as the worse.
            if (holdsWord(r.signalCell, u"critical")) {
                ++c.critical;
                if (cell)
                    ++cell->critical;
            } else if (holdsWord(r.signalCell, u"bad")) {
                ++c.bad;
            }
        }
    }
    return c;
}

SignalCaptions signalCaptions(const SignalCounts &counts)
{
    SignalCaptions s;
    s.all = QStringLiteral("All: %1").arg(counts.all);
    s.online = QStringLiteral("Online: %1").arg(counts.online);
    s.offline = QStringLiteral("Offline: %1").arg(counts.offline);
    s.bad = QStringLiteral("Bad Signal: %1").arg(counts.bad);
    s.critical = QStringLiteral("Critical Signal: %1!").arg(counts.critical);
    s.disabled = QStringLiteral("Disabled ONT: %1").arg(counts.disabled);
    return s;
}

} // namespace tervix::core
