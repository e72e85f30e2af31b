#include "command_line.h"

#include <QRegularExpression>

namespace oltsim {

QList<Token> tokenize(const QString &line)
{
    QList<Token> out;
    int i = 0;
    const int n = int(line.size());
    while (i < n) {
        while (i < n && line.at(i) == QLatin1Char(' '))
            ++i;
        if (i >= n)
            break;
        Token t;
        t.pos = i;
        if (line.at(i) == QLatin1Char('"')) {
            const int close = int(line.indexOf(QLatin1Char('"'), i + 1));
            t.quoted = true;
            if (close < 0) {
                t.text = line.mid(i + 1);
                i = n;
            } else {
                t.text = line.mid(i + 1, close - i - 1);
                i = close + 1;
            }
        } else {
            const int start = i;
            while (i < n && line.at(i) != QLatin1Char(' '))
                ++i;
            t.text = line.mid(start, i - start);
        }
        out.append(t);
    }
    return out;
}

Pattern::Pattern(const QString &syntax)
{
    static const QRegularExpression intRange(QStringLiteral("^<int:(\\d+)-(\\d+)>$"));
    for (const QString &w : syntax.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        Part p;
        if (w == QLatin1String("<int>")) {
            p.kind = Kind::Int;
        } else if (const auto m = intRange.match(w); m.hasMatch()) {
            p.kind = Kind::Int;
            p.min = m.captured(1).toLongLong();
            p.max = m.captured(2).toLongLong();
        } else if (w == QLatin1String("<fs>")) {
            p.kind = Kind::Fs;
        } else if (w == QLatin1String("<fsp>")) {
            p.kind = Kind::Fsp;
        } else if (w == QLatin1String("<word>")) {
            p.kind = Kind::Word;
        } else if (w == QLatin1String("<text>")) {
            p.kind = Kind::Text;
        } else if (w == QLatin1String("<rest>")) {
            p.kind = Kind::Rest;
        } else {
            p.keyword = w;
        }
        m_parts.append(p);
    }
}

namespace {
bool isPlace(const QString &t, int parts)
{
    const QStringList bits = t.split(QLatin1Char('/'));
    if (bits.size() != parts)
        return false;
    for (const QString &b : bits) {
        bool ok = false;
        if (b.isEmpty() || b.toInt(&ok) < 0 || !ok)
            return false;
    }
    return true;
}
} // namespace

MatchResult matchPattern(const Pattern &pattern, const QList<Token> &tokens)
{
    MatchResult r;
    const auto &parts = pattern.parts();
    for (int i = 0; i < parts.size(); ++i) {
        const Pattern::Part &p = parts.at(i);
        if (p.kind == Pattern::Kind::Rest) {
            QStringList words;
            for (int k = i; k < tokens.size(); ++k) {
                words << tokens.at(k).text;
                r.rest << tokens.at(k);
            }
            r.values << words.join(QLatin1Char(' '));
            return r;
        }
        if (i >= tokens.size()) {
            r.error = SyntaxError::Incomplete;
            r.token = int(tokens.size());
            return r;
        }
        const Token &t = tokens.at(i);
        switch (p.kind) {
        case Pattern::Kind::Keyword:
            if (t.quoted || t.text.compare(p.keyword, Qt::CaseInsensitive) != 0) {
                r.error = SyntaxError::Unknown;
                r.token = i;
                return r;
            }
            break;
        case Pattern::Kind::Int: {
            bool ok = false;
            const qint64 v = t.text.toLongLong(&ok);
            if (!ok || t.quoted || v < p.min || v > p.max) {
                r.error = SyntaxError::Parameter;
                r.token = i;
                return r;
            }
            r.values << QString::number(v);
            break;
        }
        case Pattern::Kind::Fs:
        case Pattern::Kind::Fsp:
            if (!isPlace(t.text, p.kind == Pattern::Kind::Fs ? 2 : 3)) {
                r.error = SyntaxError::Parameter;
                r.token = i;
                return r;
            }
            r.values << t.text;
            break;
        case Pattern::Kind::Word:
            if (t.quoted) {
                r.error = SyntaxError::Parameter;
                r.token = i;
                return r;
            }
            r.values << t.text;
            break;
        case Pattern::Kind::Text:
            r.values << t.text;
            break;
        case Pattern::Kind::Rest:
            break;
        }
    }
    if (tokens.size() > parts.size()) {
        r.error = SyntaxError::TooMany;
        r.token = int(parts.size());
    }
    return r;
}

bool betterFailure(const MatchResult &a, const MatchResult &b)
{
    if (a.token != b.token)
        return a.token > b.token;
    return a.error != SyntaxError::Unknown && b.error == SyntaxError::Unknown;
}

QString syntaxErrorText(SyntaxError e)
{
    switch (e) {
    case SyntaxError::Unknown:
        return QStringLiteral("  % Unknown command, the error locates at '^'");
    case SyntaxError::Parameter:
        return QStringLiteral("  % Parameter error, the error locates at '^'");
    case SyntaxError::Incomplete:
        return QStringLiteral("  % Incomplete command, the error locates at '^'");
    case SyntaxError::TooMany:
        return QStringLiteral("  % Too many parameters, the error locates at '^'");
    case SyntaxError::None:
        break;
    }
    return {};
}

Place parsePlace(const QString &text)
{
    const QStringList bits = text.split(QLatin1Char('/'));
    Place p;
    p.frame = bits.value(0).toInt();
    p.slot = bits.value(1).toInt();
    p.port = bits.value(2).toInt();
    return p;
}

} // namespace oltsim
