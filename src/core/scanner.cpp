#include "core/scanner.h"

namespace tervix::core {

namespace {
bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}
} // namespace

qsizetype Scanner::indexOf(QStringView marker) const
{
    if (marker.isEmpty())
        return 0;
    const qsizetype i = QStringView(m_text).indexOf(marker, m_pos);
    return i < 0 ? -1 : i - m_pos;
}

void Scanner::cutThrough(QStringView marker)
{
    const qsizetype i = indexOf(marker);
    if (i >= 0)
        drop(i + marker.size());
    else if (marker.size() > 1)
        drop(marker.size() - 1);
}

QString Scanner::before(QStringView marker) const
{
    const qsizetype i = indexOf(marker);
    if (i <= 0)
        return QString();
    return m_text.mid(m_pos, i);
}

QString Scanner::beforeOrRest(QStringView marker) const
{
    const qsizetype i = indexOf(marker);
    return i < 0 ? restString() : m_text.mid(m_pos, i);
}

qsizetype Scanner::lineEnd() const
{
    for (qsizetype i = m_pos; i < m_text.size(); ++i) {
        const QChar c = m_text.at(i);
        if (c == u'\r' || c == u'\n')
            return i - m_pos;
    }
    return -1;
}

QString Scanner::takeBefore(QStringView marker)
{
    QString v = before(marker);
    cutThrough(marker);
    return v;
}

void Scanner::skipBlanks()
{
    while (m_pos < m_text.size() && isBlank(m_text.at(m_pos)))
        ++m_pos;
}

void Scanner::drop(qsizetype n)
{
    if (n > 0)
        m_pos = qMin(m_text.size(), m_pos + n);
}

QString trimLeadingSpaces(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    return text.mid(i).toString();
}

QString outputTail(QStringView output, int count)
{
    const qsizetype want = qsizetype(count) + 1;
    QStringView tail = output.size() > want ? output.right(want) : output;
    QString out;
    out.reserve(tail.size());
    for (QChar c : tail) {
        if (c != u'\r' && c != u'\n')
            out.append(c);
    }
    return out;
}

QString textBefore(QStringView text, QStringView marker)
{
    const qsizetype i = marker.isEmpty() ? 0 : text.indexOf(marker);
    return i <= 0 ? QString() : text.left(i).toString();
}

} // namespace tervix::core
