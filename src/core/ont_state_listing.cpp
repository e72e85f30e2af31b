#include "core/ont_state_listing.h"

#include <QRegularExpression>

#include <array>
#include <bit>
#include <cstring>

#include <QSysInfo>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
// anything but up to nine digits.
int smallNumber(QStringView v)
{
    if (v.isEmpty() || v.size() > 9)
        return -1;
    int n = 0;
    for (QChar c : v) {
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

// The next CR or LF at or after from, or the text's size. The listing of a
// large OLT runs to megabytes, and a look at every character on its own is
// most of the time spent: several characters are looked at together.
qsizetype findLineEnd(QStringView text, qsizetype from)
{
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    constexpr quint64 kOnes = 0x0001000100010001ULL;
    constexpr quint64 kHighs = 0x8000800080008000ULL;
    constexpr quint64 kCrs = 0x000D * kOnes;
    constexpr quint64 kLfs = 0x000A * kOnes;
    // Sets the high bit of every lane that is zero (exact for the first one).
    auto zeroLanes = [](quint64 x) { return (x - kOnes) & ~x & kHighs; };
    qsizetype i = from;
#if defined(__SSE2__)
    // Eight characters at a time where the processor has the instructions.
    const __m128i crs = _mm_set1_epi16(0x000D);
    const __m128i lfs = _mm_set1_epi16(0x000A);
    for (; i + 8 <= n; i += 8) {
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(w, crs), _mm_cmpeq_epi16(w, lfs)));
        if (mask)
            return i + qsizetype(std::countr_zero(unsigned(mask)) / 2);
    }
#endif
    for (; i + 4 <= n; i += 4) {
        quint64 w;
        std::memcpy(&w, p + i, sizeof w);
        if constexpr (QSysInfo::ByteOrder != QSysInfo::LittleEndian)
            break; // the lanes would be in the other order: the plain loop below serves
        const quint64 found = zeroLanes(w ^ kCrs) | zeroLanes(w ^ kLfs);
        if (found)
            return i + qsizetype(std::countr_zero(found) / 16);
    }
    for (; i < n; ++i) {
        if (p[i] == u'\r' || p[i] == u'\n')
            return i;
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

// A plain place number: digits without a leading zero (or "0" alone), as the
// OLT prints them. -1 for anything else.
int plainNumber(QStringView v)
{
    return v.size() > 1 && v.front() == u'0' ? -1 : smallNumber(v);
}

struct FastRow
{
    int frame = -1, slot = -1, port = -1, id = -1;
    QStringView serial;
    bool deactivated = false;
    bool online = false;
};

// A state row read in one pass over its characters. The row has already
// been seen to start with "F/ S/P  ID "; when it is shaped as the OLT prints
// it (plain numbers, no blank before a "/", and blank-separated SN, control
// flag and run state) this gives exactly what the line rules give, without
// their searches. Anything else returns false and the line rules read the row.
bool readStateRowFast(QStringView body, FastRow &r)
{
    const qsizetype n = body.size();
    qsizetype i = 0;
    auto number = [&](QChar terminator, int &out) {
        const qsizetype start = i;
        while (i < n && body.at(i).isDigit())
            ++i;
        if (i == start || i >= n || body.at(i) != terminator)
            return false;
        out = plainNumber(body.sliced(start, i - start));
        ++i;
        return out >= 0;
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
    QStringView flag;
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
    if (!token(r.serial))
        return false;
    spaces();
    if (!token(flag))
        return false;
    spaces();
    const qsizetype stateStart = i;
    while (i < n && body.at(i) != u' ')
        ++i;
    const QStringView state = body.sliced(stateStart, i - stateStart);
    if (state.isEmpty())
        return false;
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

StateListing parseStateListing(const QString &listing, const QString &frame, bool descriptions)
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
    // Rows read by the one-pass reader have a plain frame number: they are of
    // this frame only when it is written the same way.
    const bool frameIsPlain = plainNumber(frame) == frameNumber;

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
            if (f.read)
                out.footers.push_back({QStringLiteral("%1/%2/%3").arg(f.frame).arg(f.slot).arg(f.port), f.total});
            const bool samePort = blockRows == 0 || (blockOnePort && blockSlot == f.slot && blockPort == f.port);
            if (!f.read || f.frame != frameNumber || f.total != blockRows || !samePort)
                agrees = false;
            ++footers;
            blockRows = 0;
            blockOnePort = true;
            part = Part::Outside;
            return;
        }
        if (part == Part::DescriptionRows && descriptions) {
            if (!startsWithPlaceAndId(body))
                return;
            // The line rules expect the OLT's two-space indent in front of the place.
            OntLine row = indent == 2 && line.at(0) == u' ' && line.at(1) == u' '
                ? parseOntLine(line, true)
                : parseOntLine(QString(QStringLiteral("  ") + body.toString()), true);
            if (plainNumber(row.frame) == frameNumber && frameIsPlain)
                out.descriptions.push_back(std::move(row));
            return;
        }
        if (part != Part::StateRows)
            return;
        // A row the one-pass reader takes starts with its place and id; any
        // other line is checked for them before the line rules read it.
        FastRow fast;
        int slot = -1;
        int port = -1;
        if (readStateRowFast(body, fast)) {
            if (!frameIsPlain || fast.frame != frameNumber)
                return;
            out.states.appendPlain(fast.frame, fast.slot, fast.port, fast.id, fast.serial, fast.deactivated, fast.online);
            slot = fast.slot;
            port = fast.port;
        } else {
            if (!startsWithPlaceAndId(body))
                return;
            // The line rules expect the OLT's two-space indent in front of the place.
            const OntLine row = indent == 2 && line.at(0) == u' ' && line.at(1) == u' '
                ? parseOntLine(line, false)
                : parseOntLine(QString(QStringLiteral("  ") + body.toString()), false);
            if (row.frame != frame)
                return;
            out.states.append(row);
            slot = smallNumber(row.slot);
            port = smallNumber(row.port);
        }
        if (blockRows == 0) {
            blockSlot = slot;
            blockPort = port;
        } else if (slot != blockSlot || port != blockPort) {
            blockOnePort = false;
        }
        ++blockRows;
    };
    // Lines end in CR LF, LF, or (where pages were joined) a lone CR; the
    // empty line between CR and LF is no line.
    qsizetype pos = 0;
    while (pos < n) {
        const qsizetype end = findLineEnd(text, pos);
        if (end > pos)
            readLine(text.sliced(pos, end - pos));
        pos = end + 1;
    }

    out.count = int(out.states.size());
    out.whole = agrees && footers > 0 && blockRows == 0;
    return out;
}

OntLine OntStates::operator[](size_t i) const
{
    const Row &r = m_rows[i];
    if (r.odd >= 0)
        return m_odd[size_t(r.odd)];
    OntLine l;
    l.frame = QString::number(r.frame);
    l.slot = QString::number(r.slot);
    l.port = QString::number(r.port);
    l.id = QString::number(r.id);
    l.serialOrMac = serialOrMac(i).toString();
    l.deactivated = r.deactivated;
    l.online = r.online;
    return l;
}

QStringView OntStates::serialOrMac(size_t i) const
{
    const Row &r = m_rows[i];
    if (r.odd >= 0)
        return m_odd[size_t(r.odd)].serialOrMac;
    return QStringView(m_serials).sliced(r.serialAt, r.serialSize);
}

void OntStates::appendPlain(int frame, int slot, int port, int id, QStringView serial, bool deactivated, bool online)
{
    Row r;
    r.frame = frame;
    r.slot = slot;
    r.port = port;
    r.id = id;
    r.serialAt = m_serials.size();
    r.serialSize = serial.size();
    r.deactivated = deactivated;
    r.online = online;
    m_serials.append(serial);
    m_rows.push_back(r);
}

void OntStates::append(const OntLine &line)
{
    const int frame = plainNumber(line.frame);
    const int slot = plainNumber(line.slot);
    const int port = plainNumber(line.port);
    const int id = plainNumber(line.id);
    if (frame >= 0 && slot >= 0 && port >= 0 && id >= 0 && line.name.isEmpty()) {
        appendPlain(frame, slot, port, id, line.serialOrMac, line.deactivated, line.online);
        return;
    }
    Row r;
    r.odd = int(m_odd.size());
    r.deactivated = line.deactivated;
    r.online = line.online;
    m_odd.push_back(line);
    m_rows.push_back(r);
}

OntStates &OntStates::operator=(const std::vector<OntLine> &lines)
{
    m_rows.clear();
    m_serials.clear();
    m_odd.clear();
    for (const OntLine &l : lines)
        append(l);
    return *this;
}

} // namespace tervix::core
