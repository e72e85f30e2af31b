#include "core/ont_state_listing.h"

#include <QRegularExpression>

#include <array>

namespace tervix::core {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

// The cut-and-search moves of core::Scanner over a view of one line, so that
// reading tens of thousands of rows copies nothing but the fields.
struct LineCursor
{
    QStringView rest;

    void cutThrough(QStringView marker)
    {
        const qsizetype i = rest.indexOf(marker);
        if (i >= 0)
            drop(i + marker.size());
        else if (marker.size() > 1)
            drop(marker.size() - 1);
    }
    QStringView before(QStringView marker) const
    {
        const qsizetype i = rest.indexOf(marker);
        return i <= 0 ? QStringView() : rest.first(i);
    }
    QStringView beforeOrRest(QStringView marker) const
    {
        const qsizetype i = rest.indexOf(marker);
        return i < 0 ? rest : rest.first(i);
    }
    QString takeBefore(QStringView marker)
    {
        const QString v = before(marker).toString();
        cutThrough(marker);
        return v;
    }
    // The same for a field that is nearly always a small number (frame, slot,
    // port, ONT id): tens of thousands of rows share a few texts instead of
    // allocating one each.
    QString takeNumberBefore(QStringView marker)
    {
        const QString v = smallNumberText(before(marker));
        cutThrough(marker);
        return v;
    }
    static QString smallNumberText(QStringView v)
    {
        static constexpr int kShared = 1024;
        static const std::array<QString, kShared> texts = [] {
            std::array<QString, kShared> t;
            for (int i = 0; i < kShared; ++i)
                t[size_t(i)] = QString::number(i);
            return t;
        }();
        int value = 0;
        if (v.isEmpty() || v.size() > 4 || (v.size() > 1 && v.front() == u'0'))
            return v.toString();
        for (QChar c : v) {
            if (c < u'0' || c > u'9')
                return v.toString();
            value = value * 10 + (c.unicode() - u'0');
        }
        return value < kShared ? texts[size_t(value)] : v.toString();
    }
    void skipBlanks()
    {
        qsizetype i = 0;
        while (i < rest.size() && isBlank(rest.at(i)))
            ++i;
        drop(i);
    }
    void drop(qsizetype n) { rest = rest.sliced(std::min(n, rest.size())); }
};

// Structure lines (separators, table headers, footers) sit at the OLT's
// two-space indent. A description wrapped onto a further line is indented to
// its column, so its text never reads as structure.
constexpr qsizetype kMaxStructureIndent = 4;

bool isSeparator(QStringView body)
{
    // Some firmware breaks the closing separator with a space, and a noisy
    // line may carry stray bytes after it: the leading run of hyphens decides.
    return body.startsWith(QLatin1StringView("----------"));
}

qsizetype skipDigits(QStringView s, qsizetype i)
{
    while (i < s.size() && s.at(i).isDigit())
        ++i;
    return i;
}

qsizetype skipSpaces(QStringView s, qsizetype i)
{
    while (i < s.size() && s.at(i) == u' ')
        ++i;
    return i;
}

// "F/ S/P  ID " at the start of a row: the slot is right-aligned in two
// characters, the port left-aligned.
bool startsWithPlaceAndId(QStringView body)
{
    qsizetype i = 0;
    for (int part = 0; part < 3; ++part) {
        i = skipSpaces(body, i);
        const qsizetype digits = skipDigits(body, i);
        if (digits == i)
            return false;
        i = skipSpaces(body, digits);
        if (part < 2) {
            if (i >= body.size() || body.at(i) != u'/')
                return false;
            ++i;
        }
    }
    const qsizetype idEnd = skipDigits(body, i);
    return idEnd > i && idEnd < body.size() && body.at(idEnd) == u' ';
}

// A place number as an int without the locale-aware conversion: -1 for
// anything but a few plain digits.
int smallNumber(QStringView v)
{
    if (v.isEmpty() || v.size() > 6)
        return -1;
    int n = 0;
    for (QChar c : v) {
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

struct Footer
{
    bool read = false;
    int frame = -1, slot = -1, port = -1, total = -1;
};

Footer readFooter(QStringView body)
{
    // "In port 0/ 1/0 , the total of ONTs are: 31, online: 31"; other firmware
    // says "the total number of ONTs are|is" and adds ", offline: K".
    static const QRegularExpression re(QStringLiteral(
        "^In port\\s*(\\d+)\\s*/\\s*(\\d+)\\s*/\\s*(\\d+)\\s*,\\s*the total (?:number )?of ONTs (?:are|is)\\s*:\\s*(\\d+)\\s*,\\s*online\\s*:\\s*\\d+"));
    const QRegularExpressionMatch m = re.match(body.toString());
    if (!m.hasMatch())
        return {};
    return {true, m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt()};
}

// A state row read in one pass over its characters. The row has already
// been seen to start with "F/ S/P  ID "; when it is shaped as the OLT prints
// it (no blank before a "/", and blank-separated SN, control flag and run
// state) this gives exactly what the line rules give, without their
// searches. Anything else returns false and the line rules read the row.
bool readStateRowFast(QStringView body, OntLine &r)
{
    const qsizetype n = body.size();
    qsizetype i = 0;
    auto number = [&](QChar terminator, QString &out) {
        const qsizetype start = i;
        while (i < n && body.at(i).isDigit())
            ++i;
        if (i == start || i >= n || body.at(i) != terminator)
            return false;
        out = LineCursor::smallNumberText(body.sliced(start, i - start));
        ++i;
        return true;
    };
    auto spaces = [&] {
        while (i < n && isBlank(body.at(i)))
            ++i;
    };
    auto token = [&](QStringView &out) {
        const qsizetype start = i;
        while (i < n && body.at(i) != u' ' && body.at(i) != u'\t' && body.at(i) != u'\n')
            ++i;
        if (i == start || i >= n || body.at(i) != u' ')
            return false;
        out = body.sliced(start, i - start);
        ++i;
        return true;
    };
    QStringView sn, flag, state;
    if (!number(u'/', r.frame))
        return false;
    spaces();
    if (!number(u'/', r.slot))
        return false;
    spaces();
    if (!number(u' ', r.port))
        return false;
    spaces();
    if (!number(u' ', r.id))
        return false;
    spaces();
    if (!token(sn))
        return false;
    spaces();
    if (!token(flag))
        return false;
    spaces();
    const qsizetype stateStart = i;
    while (i < n && body.at(i) != u' ')
        ++i;
    state = body.sliced(stateStart, i - stateStart);
    if (state.isEmpty())
        return false;
    r.serialOrMac = sn.toString();
    // "active", the common flag, is too short to hold the word.
    r.deactivated = flag.size() >= 8 && flag.contains(QLatin1StringView("deactiva"), Qt::CaseInsensitive);
    r.online = state.compare(QLatin1StringView("online"), Qt::CaseInsensitive) == 0;
    return true;
}

} // namespace

OntLine parseOntLine(QStringView line, bool descriptionLine)
{
    OntLine r;
    LineCursor c{line};
    c.cutThrough(u"  ");
    c.skipBlanks();
    r.frame = c.takeNumberBefore(u"/");
    c.skipBlanks();
    r.slot = c.takeNumberBefore(u"/");
    c.skipBlanks();
    r.port = c.takeNumberBefore(u" ");
    c.skipBlanks();
    r.id = c.takeNumberBefore(u" ");
    c.skipBlanks();
    if (descriptionLine) {
        r.name = c.beforeOrRest(u"\r").toString();
        return r;
    }
    r.serialOrMac = c.takeBefore(u" ");
    c.skipBlanks();
    const QStringView controlFlag = c.beforeOrRest(u" ");
    r.deactivated = controlFlag.contains(QLatin1StringView("deactiva"), Qt::CaseInsensitive);
    c.cutThrough(u" ");
    c.skipBlanks();
    const QStringView runState = c.beforeOrRest(u" ");
    r.online = runState.compare(QLatin1StringView("online"), Qt::CaseInsensitive) == 0;
    return r;
}

StateListing parseStateListing(const QString &listing, const QString &frame)
{
    enum class Part { Outside, StateHeader, StateRows, DescriptionHeader, DescriptionRows };

    StateListing out;
    // An ONT takes a state row and a description row, some 150 characters.
    out.states.reserve(size_t(listing.size() / 150 + 1));
    Part part = Part::Outside;
    int footers = 0;
    bool agrees = true;
    // The rows read since the previous footer, which the next footer totals.
    int blockRows = 0;
    int blockSlot = -1;
    int blockPort = -1;
    bool blockOnePort = true;
    const int frameNumber = frame.trimmed().toInt();

    const QStringView text(listing);
    const qsizetype n = text.size();
    auto readLine = [&](QStringView line) {
        qsizetype indent = 0;
        while (indent < line.size() && (line.at(indent) == u' ' || line.at(indent) == u'\t'))
            ++indent;
        if (indent == line.size() || indent > kMaxStructureIndent)
            return;
        const QStringView body = line.sliced(indent);

        // The first character tells a row from the lines that shape the
        // listing; most lines are rows, and most of those are not wanted.
        const QChar first = body.front();
        if (first == u'-' && isSeparator(body)) {
            switch (part) {
            case Part::StateHeader: part = Part::StateRows; break;
            case Part::DescriptionHeader: part = Part::DescriptionRows; break;
            default: part = Part::Outside; break;
            }
            return;
        }
        if (first == u'F' && body.startsWith(QLatin1StringView("F/S/P"))) {
            part = body.contains(QLatin1StringView("Description")) ? Part::DescriptionHeader : Part::StateHeader;
            return;
        }
        if (first == u'I' && body.startsWith(QLatin1StringView("In port"))) {
            const Footer f = readFooter(body);
            const bool samePort = blockRows == 0 || (blockOnePort && blockSlot == f.slot && blockPort == f.port);
            if (!f.read || f.frame != frameNumber || f.total != blockRows || !samePort)
                agrees = false;
            ++footers;
            blockRows = 0;
            blockOnePort = true;
            part = Part::Outside;
            return;
        }
        if (part != Part::StateRows || !startsWithPlaceAndId(body))
            return;

        OntLine row;
        if (!readStateRowFast(body, row)) {
            // The line rules expect the OLT's two-space indent in front of the place.
            row = indent == 2 && line.at(0) == u' ' && line.at(1) == u' '
                ? parseOntLine(line, false)
                : parseOntLine(QString(QStringLiteral("  ") + body.toString()), false);
        }
        if (row.frame != frame)
            return;
        const int slot = smallNumber(row.slot);
        const int port = smallNumber(row.port);
        if (blockRows == 0) {
            blockSlot = slot;
            blockPort = port;
        } else if (slot != blockSlot || port != blockPort) {
            blockOnePort = false;
        }
        ++blockRows;
        out.states.push_back(std::move(row));
    };
    // Lines end in CR LF, LF, or (where pages were joined) a lone CR. The
    // line ends are found with the string search, which is much faster than
    // looking at every character: the listing of a large OLT runs to megabytes.
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype lf = text.indexOf(u'\n', pos);
        if (lf < 0)
            lf = n;
        qsizetype start = pos;
        while (true) {
            const qsizetype cr = text.sliced(start, lf - start).indexOf(u'\r');
            const qsizetype end = cr < 0 ? lf : start + cr;
            if (end > start)
                readLine(text.sliced(start, end - start));
            if (cr < 0)
                break;
            start = end + 1;
        }
        pos = lf + 1;
    }

    out.count = int(out.states.size());
    out.whole = agrees && footers > 0 && blockRows == 0;
    return out;
}

} // namespace tervix::core
