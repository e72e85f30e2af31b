#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace oltsim {

// One word of a typed command line, with where it starts (for the caret line
// of the error answer). A double-quoted text is one token without its quotes.
struct Token
{
    QString text;
    int pos = 0;
    bool quoted = false;
};

QList<Token> tokenize(const QString &line);

// A command's syntax, written like the manual writes it:
//   "ont add <int:0-127> <int:0-127> sn-auth <word> omci ont-lineprofile-id <int> ..."
// Parameters: <int[:min-max]>, <fs> (frame/slot), <fsp> (frame/slot/port),
// <word> (any single token), <text> (a token, quoted or not), <rest> (every
// remaining token, possibly none). Everything else is a keyword, matched
// without regard to case.
class Pattern
{
public:
    enum class Kind { Keyword, Int, Fs, Fsp, Word, Text, Rest };
    struct Part
    {
        Kind kind = Kind::Keyword;
        QString keyword;
        qint64 min = 0;
        qint64 max = 0x7fffffff;
    };

    Pattern() = default;
    explicit Pattern(const QString &syntax);

    const QList<Part> &parts() const { return m_parts; }

private:
    QList<Part> m_parts;
};

// Why a line did not fit a pattern, and at which token; the device answers
// with the matching "% ... the error locates at '^'" line.
enum class SyntaxError { None, Unknown, Parameter, Incomplete, TooMany };

struct MatchResult
{
    SyntaxError error = SyntaxError::None;
    int token = 0;              // failing token index (== token count for Incomplete)
    QStringList values;         // parameter values in pattern order (<rest> joined by single spaces)
    QList<Token> rest;          // the tokens taken by <rest>
};

MatchResult matchPattern(const Pattern &pattern, const QList<Token> &tokens);

// The better of two failed matches: the one that got further, and at the same
// token a parameter complaint before an unknown keyword.
bool betterFailure(const MatchResult &a, const MatchResult &b);

QString syntaxErrorText(SyntaxError e);

// Frame/slot and frame/slot/port values as typed ("0/1", "0/1/0").
struct Place
{
    int frame = 0;
    int slot = 0;
    int port = 0;
};
Place parsePlace(const QString &text);

} // namespace oltsim
