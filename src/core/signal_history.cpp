#include "core/signal_history.h"

namespace tervix::core {

namespace {

constexpr char kHeaderMark[] = "**";

bool digitsOnly(QStringView field)
{
    if (field.isEmpty() || field.size() > 9)
        return false;
    for (QChar c : field) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

bool wholeNumber(QByteArrayView text, int &value)
{
    qsizetype i = text.startsWith('-') ? 1 : 0;
    if (i >= text.size() || text.size() > 6)
        return false;
    for (qsizetype k = i; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9')
            return false;
    }
    bool ok = false;
    value = text.toByteArray().toInt(&ok);
    return ok;
}

// The header "**date**" at the start of a file and the line end that follows
// it. Files written by older versions end the header with a bare CR, or run
// the first record straight after it; both still read.
struct Header
{
    QString date;
    QByteArray lineEnd; // as found after the header; may be empty
    qsizetype recordsFrom = 0;
};

std::optional<Header> readHeader(const QByteArray &bytes)
{
    if (!bytes.startsWith(kHeaderMark))
        return std::nullopt;
    const qsizetype close = bytes.indexOf(kHeaderMark, 2);
    if (close < 0)
        return std::nullopt;
    const QByteArray date = bytes.mid(2, close - 2);
    if (date.contains('\n') || date.contains('\r'))
        return std::nullopt;
    Header h;
    h.date = QString::fromLatin1(date);
    qsizetype i = close + 2;
    if (i < bytes.size() && bytes[i] == '\r')
        ++i;
    if (i < bytes.size() && bytes[i] == '\n')
        ++i;
    h.lineEnd = bytes.mid(close + 2, i - close - 2);
    h.recordsFrom = i;
    return h;
}

// One record "#date#ont*olt*", ended by "##".
std::optional<HistoryRecord> parseRecord(QByteArrayView record)
{
    if (!record.startsWith('#'))
        return std::nullopt;
    const qsizetype dateEnd = record.indexOf('#', 1);
    if (dateEnd < 0 || !record.endsWith('*'))
        return std::nullopt;
    const QByteArrayView levels = record.sliced(dateEnd + 1, record.size() - dateEnd - 2);
    const qsizetype star = levels.indexOf('*');
    if (star < 0)
        return std::nullopt;
    HistoryRecord r;
    r.date = QString::fromLatin1(record.sliced(1, dateEnd - 1));
    if (r.date.isEmpty() || !wholeNumber(levels.first(star), r.ontRx) || !wholeNumber(levels.sliced(star + 1), r.oltRx))
        return std::nullopt;
    return r;
}

} // namespace

std::optional<QString> historyFileName(QStringView frame, QStringView slot, QStringView port, QStringView ontId)
{
    if (!digitsOnly(frame) || !digitsOnly(slot) || !digitsOnly(port) || !digitsOnly(ontId))
        return std::nullopt;
    return QStringLiteral("data-%1.%2.%3.%4.ph").arg(frame, slot, port, ontId);
}

QString historyDate(QDate date)
{
    return date.toString(QStringLiteral("d.M.yy"));
}

std::optional<History> parseHistory(const QByteArray &bytes)
{
    const std::optional<Header> header = readHeader(bytes);
    if (!header)
        return std::nullopt;
    History h;
    h.newestDate = header->date;
    // Records end with "##", whatever separates them; a line that is not a
    // record (a torn last line) is skipped up to its line end.
    const QByteArrayView text(bytes);
    qsizetype i = header->recordsFrom;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n' || c == ' ' || c == '\t') {
            ++i;
            continue;
        }
        const qsizetype close = text.indexOf("##", i);
        qsizetype lineEnd = text.indexOf('\n', i);
        if (lineEnd < 0)
            lineEnd = text.size();
        if (close >= 0 && close < lineEnd) {
            if (const std::optional<HistoryRecord> r = parseRecord(text.sliced(i, close - i)))
                h.records.append(*r);
            i = close + 2;
        } else {
            i = lineEnd;
        }
    }
    return h;
}

QString historyNewestDate(const QByteArray &bytes)
{
    const std::optional<Header> header = readHeader(bytes);
    return header ? header->date : QStringLiteral("-");
}

HistoryUpdate updateHistory(HistoryFileState state, const QByteArray &bytes, QDate today, const OpticalLevels &levels)
{
    HistoryUpdate u;
    if (state == HistoryFileState::Unreadable) {
        u.action = HistoryUpdate::Action::Refuse;
        u.error = QStringLiteral("the history file could not be read; it is left as it is");
        return u;
    }
    // An empty file holds no history to lose; it counts as absent.
    const bool fresh = state == HistoryFileState::Absent || bytes.isEmpty();
    std::optional<Header> header;
    if (!fresh) {
        header = readHeader(bytes);
        if (!header) {
            u.action = HistoryUpdate::Action::Refuse;
            u.error = QStringLiteral("the history file has no header line; it is left as it is");
            return u;
        }
    }
    const QString date = historyDate(today);
    if (levels.off || !today.isValid() || (header && header->date == date))
        return u;

    const QByteArray lineEnd = header && !header->lineEnd.isEmpty() ? header->lineEnd : QByteArray("\r\n");
    QByteArray out;
    out.reserve(bytes.size() + 64);
    out += kHeaderMark;
    out += date.toLatin1();
    out += kHeaderMark;
    out += lineEnd;
    if (header) {
        const QByteArrayView records = QByteArrayView(bytes).sliced(header->recordsFrom);
        out += records;
        // Today's record starts a line of its own.
        if (!records.isEmpty() && !records.endsWith('\n') && !records.endsWith('\r'))
            out += lineEnd;
    }
    out += '#';
    out += date.toLatin1();
    out += '#';
    out += levels.text().toLatin1();
    out += "##";
    out += lineEnd;
    u.action = HistoryUpdate::Action::Write;
    u.bytes = out;
    return u;
}

} // namespace tervix::core
