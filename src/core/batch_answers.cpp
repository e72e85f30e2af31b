#include "core/batch_answers.h"

#include <QHash>
#include <QRegularExpression>

#include <vector>

namespace tervix::core {

namespace {

const QLatin1StringView kPagePrompt{"---- More ( Press 'Q' to break ) ----"};

struct ScreenLine
{
    QString text;
    bool ended = false; // a line break followed it
};

// The output as the operator's terminal shows it, line by line. A cursor move
// to the left takes back what it moves over: the OLT wraps a long echo with a
// space and one step back, and erases its page prompt by stepping back over it,
// writing spaces and stepping back again, so the next text starts the line.
std::vector<ScreenLine> screenLines(QStringView out)
{
    std::vector<ScreenLine> lines;
    QString current;
    const qsizetype n = out.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = out[i];
        if (c == u'\n') {
            lines.push_back({std::exchange(current, QString()), true});
        } else if (c == u'\x1b') {
            // ESC "[" parameters letter; a sequence cut at the end of the output is dropped.
            qsizetype j = i + 1;
            if (j < n && out[j] == u'[') {
                ++j;
                qsizetype count = 0;
                bool digits = false;
                while (j < n && (out[j].isDigit() || out[j] == u';')) {
                    if (out[j].isDigit() && count < 10000) {
                        count = count * 10 + out[j].digitValue();
                        digits = true;
                    }
                    ++j;
                }
                if (j < n && out[j] == u'D')
                    current.chop(std::min(current.size(), digits ? count : qsizetype(1)));
            }
            i = std::min(j, n - 1);
        } else if (c == u'\b') {
            current.chop(1);
        } else if (c == u'\t' || c.unicode() >= 0x20) {
            current += c;
        }
        // Carriage returns and other control characters leave no mark.
    }
    if (!current.isEmpty())
        lines.push_back({current, false});
    // A page prompt that was never erased (a client that strips the escape
    // sequences) is no text of the answer.
    for (ScreenLine &l : lines) {
        if (l.text.startsWith(kPagePrompt))
            l.text.remove(0, kPagePrompt.size());
    }
    return lines;
}

// The length of the OLT prompt that starts the line, or -1: a host name (no
// spaces, none of "#>%()"), an optional mode in parentheses, then "#", ">" or
// the diagnose mode's "%%".
qsizetype promptLength(QStringView line)
{
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = line[i];
        if (c.isSpace() || c == u'#' || c == u'>' || c == u'%' || c == u'(' || c == u')')
            break;
        ++i;
    }
    if (i == 0 || i == n)
        return -1;
    if (line[i] == u'(') {
        qsizetype j = i + 1;
        while (j < n && line[j] != u')' && !line[j].isSpace())
            ++j;
        if (j >= n || line[j] != u')')
            return -1;
        i = j + 1;
    }
    if (i < n && (line[i] == u'#' || line[i] == u'>'))
        return i + 1;
    if (i + 1 < n && line[i] == u'%' && line[i + 1] == u'%')
        return i + 2;
    return -1;
}

// Where the answer to a confirmation question starts ("... (y/n)[n]:" and its
// variants), or -1.
qsizetype questionEnd(QStringView line)
{
    const qsizetype q = line.indexOf(u"(y/n)", 0, Qt::CaseInsensitive);
    if (q < 0)
        return -1;
    const qsizetype colon = line.indexOf(u':', q);
    return colon < 0 ? -1 : colon + 1;
}

// A line as its echo is compared: without the spaces around it, and with
// every character beyond ASCII as "?". A letter the connection's code page
// cannot carry comes back as "?", and a name is no less echoed for it.
QString echoKey(QStringView line)
{
    QString key = line.trimmed().toString();
    for (QChar &c : key) {
        if (c.unicode() > 0x7f)
            c = u'?';
    }
    return key;
}

// The typed lines by their text, so that an echo finds the earliest line not
// yet matched in constant time however many lines the batch has.
class TypedIndex
{
public:
    explicit TypedIndex(const QStringList &typed)
    {
        for (int i = 0; i < typed.size(); ++i)
            m_positions[echoKey(typed[i])].positions.append(i);
    }

    // The first line at or after next that the echo repeats, or -1.
    int find(QStringView echo, int next)
    {
        const auto it = m_positions.find(echoKey(echo));
        if (it == m_positions.end())
            return -1;
        Positions &p = *it;
        while (p.cursor < p.positions.size() && p.positions[p.cursor] < next)
            ++p.cursor;
        return p.cursor < p.positions.size() ? p.positions[p.cursor] : -1;
    }

private:
    struct Positions
    {
        QList<int> positions;
        qsizetype cursor = 0;
    };
    QHash<QString, Positions> m_positions;
};

struct Judged
{
    bool echoed = false;
    bool closed = false; // the OLT's next prompt came after the answer
    QStringList answer;
};

bool startsWithWord(QStringView line, QLatin1StringView word)
{
    if (!line.startsWith(word))
        return false;
    // "Failure: x", "Failure : x" and "Error: x"; not "Errors of ..." or "Failures".
    QStringView rest = line.mid(word.size());
    while (!rest.isEmpty() && rest.front() == u' ')
        rest = rest.mid(1);
    return !rest.isEmpty() && rest.front() == u':';
}

// "... success: 1, failed: 0" and "Number of ONTs that can be added: 1, success: 0".
bool counterCountsFailure(const QString &line)
{
    static const QRegularExpression failed(QStringLiteral("\\bfailed\\s*:\\s*(\\d+)"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression outOf(QStringLiteral("\\bcan be \\S+\\s*:\\s*(\\d+)\\s*,\\s*success\\s*:\\s*(\\d+)"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = failed.match(line); m.hasMatch() && m.captured(1).toLongLong() > 0)
        return true;
    if (const QRegularExpressionMatch m = outOf.match(line); m.hasMatch())
        return m.captured(2).toLongLong() < m.captured(1).toLongLong();
    return false;
}

bool isExplicitRefusal(QStringView t)
{
    return t.startsWith(u"Failure") || t.startsWith(u'%') || startsWithWord(t, QLatin1StringView("Error"))
        || t.startsWith(u"Unknown command") || t.startsWith(u"Incorrect command")
        || t.startsWith(u"Incomplete command") || t.startsWith(u"Too many parameters");
}

} // namespace

int BatchAnswers::firstNotAccepted() const
{
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].outcome != LineOutcome::Accepted)
            return i;
    }
    return -1;
}

QList<int> BatchAnswers::withOutcome(LineOutcome outcome) const
{
    QList<int> out;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].outcome == outcome)
            out.append(i);
    }
    return out;
}

QString refusalIn(QStringView answer)
{
    QString counter;
    for (QStringView line : answer.split(u'\n')) {
        const QStringView t = line.trimmed();
        if (t.isEmpty())
            continue;
        if (isExplicitRefusal(t))
            return t.toString();
        if (counter.isEmpty() && counterCountsFailure(t.toString()))
            counter = t.toString();
    }
    return counter;
}

BatchAnswers checkBatchAnswers(const QStringList &typedLines, QStringView output)
{
    const int count = int(typedLines.size());
    std::vector<Judged> judged(static_cast<size_t>(count));
    TypedIndex index(typedLines);
    int next = 0;          // the first typed line not yet echoed
    int current = -1;      // the line whose answer is being read, or -1
    bool promptSeen = false;

    auto close = [&] {
        if (current >= 0)
            judged[size_t(current)].closed = true;
        current = -1;
    };
    auto startAnswer = [&](int line) {
        judged[size_t(line)].echoed = true;
        current = line;
        next = line + 1;
    };

    for (const ScreenLine &l : screenLines(output)) {
        const QStringView text(l.text);
        if (const qsizetype p = promptLength(text); p >= 0) {
            promptSeen = true;
            close();
            const QStringView rest = text.mid(p);
            if (!l.ended || next >= count)
                continue;
            if (const int j = index.find(rest, next); j >= 0)
                startAnswer(j);
            else if (rest == u" ")
                // The OLT closed a command line without showing its text (some
                // leave "quit" unechoed): it read the next line all the same.
                startAnswer(next);
            continue;
        }
        if (const qsizetype q = questionEnd(text); q >= 0 && l.ended && next < count) {
            if (const int j = index.find(text.mid(q), next); j >= 0) {
                if (current >= 0)
                    judged[size_t(current)].answer.append(text.left(q).toString());
                close();
                startAnswer(j);
                continue;
            }
        }
        if (!promptSeen && current < 0 && next == 0 && count > 0 && l.ended && !typedLines[0].trimmed().isEmpty()
            && echoKey(text) == echoKey(typedLines[0])) {
            startAnswer(0);
            continue;
        }
        if (current >= 0 && !text.trimmed().isEmpty()) {
            QString kept = l.text;
            while (!kept.isEmpty() && kept.back().isSpace())
                kept.chop(1);
            judged[size_t(current)].answer.append(kept);
        }
    }

    BatchAnswers result;
    result.lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        const Judged &j = judged[size_t(i)];
        LineAnswer a;
        a.typed = typedLines[i];
        a.answer = j.answer.join(u'\n');
        if (j.echoed) {
            a.reason = refusalIn(a.answer);
            // A cut answer that already refuses is a refusal; one that does
            // not yet is no acceptance.
            if (!a.reason.isEmpty())
                a.outcome = LineOutcome::Refused;
            else
                a.outcome = j.closed ? LineOutcome::Accepted : LineOutcome::Unanswered;
        }
        result.lines.append(a);
    }
    return result;
}

} // namespace tervix::core
