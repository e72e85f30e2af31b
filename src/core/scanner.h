#pragma once

#include <QString>
#include <QStringView>

namespace tervix::core {

// The console reads every OLT listing with the same few cut-and-search moves.
// The historical rules work by deleting text from the front of a string; doing
// that literally is quadratic on a 32k-ONT listing, so Scanner keeps a cursor
// over an immutable text and gives exactly the same results.
//
// The rules, as every parser relies on them:
// - cut through X: drop everything up to and including the first X. When X is
//   absent this drops length(X) - 1 characters (so a missing one-character
//   marker drops nothing and a missing two-character marker drops one).
// - before X: the text preceding the first X; empty when X is absent.
// - skipBlanks: drop leading tabs, line feeds and spaces (carriage returns stay).
// Markers are case-sensitive; a parser that compares in upper case scans an
// upper-cased copy of the listing.
class Scanner
{
public:
    Scanner() = default;
    explicit Scanner(QString text) : m_text(std::move(text)) {}

    // Position of the first X at or after the cursor, relative to the cursor; -1 if absent.
    qsizetype indexOf(QStringView marker) const;
    bool contains(QStringView marker) const { return indexOf(marker) >= 0; }

    void cutThrough(QStringView marker);
    QString before(QStringView marker) const;
    // The text before the first X, or all the rest when X is absent.
    QString beforeOrRest(QStringView marker) const;
    // Position of the first carriage return or line feed, relative to the
    // cursor; -1 if neither follows. One forward scan, so walking a listing
    // line by line stays linear whichever line ends it uses.
    qsizetype lineEnd() const;
    // before(X) followed by cutThrough(X): the common "take a field" move.
    QString takeBefore(QStringView marker);
    void skipBlanks();
    // Drops n characters (fewer at the end of the text).
    void drop(qsizetype n);

    QStringView rest() const { return QStringView(m_text).mid(m_pos); }
    QString restString() const { return m_text.mid(m_pos); }
    qsizetype remaining() const { return m_text.size() - m_pos; }
    bool atEnd() const { return m_pos >= m_text.size(); }

private:
    QString m_text;
    qsizetype m_pos = 0;
};

// The text without its leading tabs, line feeds and spaces.
QString trimLeadingSpaces(QStringView text);

// The last n + 1 characters of an output (all of it
// when shorter) with every carriage return and line feed removed. Used to look
// for a prompt at the end of what a connection received.
QString outputTail(QStringView output, int count);

// The one-shot form of "before", for code that works on a single short text.
QString textBefore(QStringView text, QStringView marker);

} // namespace tervix::core
