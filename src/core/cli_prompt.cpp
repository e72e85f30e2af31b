#include "core/cli_prompt.h"

#include <QString>

#include <algorithm>
#include <optional>

namespace tervix::core {

namespace {

constexpr char16_t kEsc = 0x1b;

// The last line as a terminal shows it. The OLT erases its page prompt by
// moving the cursor back (ESC "[37D"), writing spaces and moving back again,
// and wraps a long echo with a space and ESC "[1D"; what it prints next
// overwrites what stood there. Simply dropping the sequences would leave the
// erased pager or its spaces in front of a prompt, so the line is redrawn.
// Returns nothing while a sequence is still cut short (more output is on its way).
std::optional<QString> drawnLine(QStringView line)
{
    QString screen;
    qsizetype cursor = 0;
    auto put = [&](QChar c) {
        if (cursor < screen.size())
            screen[cursor] = c;
        else {
            screen.append(QString(cursor - screen.size(), u' '));
            screen.append(c);
        }
        ++cursor;
    };

    for (qsizetype i = 0; i < line.size(); ++i) {
        const char16_t c = line[i].unicode();
        if (c == kEsc) {
            if (i + 1 >= line.size())
                return std::nullopt;
            if (line[i + 1] != u'[') {
                ++i; // a two-character sequence; nothing the console needs to redraw
                continue;
            }
            qsizetype j = i + 2;
            qsizetype count = 0;
            bool hasCount = false;
            bool firstDone = false; // only the first parameter counts for a cursor move
            // Parameter bytes ("0"-"?") and intermediate bytes (" "-"/") up to the final letter.
            while (j < line.size() && line[j].unicode() >= 0x20 && line[j].unicode() <= 0x3f) {
                if (line[j] >= u'0' && line[j] <= u'9' && !firstDone) {
                    count = std::min<qsizetype>(count * 10 + (line[j].unicode() - u'0'), 1 << 20);
                    hasCount = true;
                } else if (line[j] == u';') {
                    firstDone = true;
                }
                ++j;
            }
            if (j >= line.size())
                return std::nullopt;
            const qsizetype n = hasCount && count > 0 ? count : 1;
            switch (line[j].unicode()) {
            case u'D':
                cursor = std::max<qsizetype>(0, cursor - n);
                break;
            case u'C':
                // Kept within the line's own length: a move far right draws nothing worth reading.
                cursor = std::min(cursor + n, line.size());
                break;
            case u'K':
                screen.truncate(cursor);
                break;
            default:
                break; // colours and the like draw nothing
            }
            i = j;
        } else if (c == u'\r') {
            cursor = 0;
        } else if (c == u'\b') {
            cursor = std::max<qsizetype>(0, cursor - 1);
        } else if (c == u'\t') {
            put(u' ');
        } else if (c >= 0x20) {
            put(QChar(c));
        }
        // Other control characters (NUL after a carriage return, BEL) draw nothing.
    }
    return screen;
}

// What a host name of a prompt may hold: no spaces (an echoed command always
// has one after its prompt), no brackets and no prompt characters, so neither
// a command's echo nor a text that merely ends in ">" or "#" reads as a prompt.
bool isNameChar(QChar c)
{
    return !c.isSpace() && c != u'(' && c != u')' && c != u'>' && c != u'#' && c != u'<' && c != u':';
}

bool isName(QStringView name)
{
    if (name.isEmpty() || !name.front().isLetterOrNumber())
        return false;
    return std::all_of(name.begin(), name.end(), isNameChar);
}

CliMode subMode(QStringView mode)
{
    if (mode.compare(u"config", Qt::CaseInsensitive) == 0)
        return CliMode::Config;
    if (mode.startsWith(u"config-if-gpon-", Qt::CaseInsensitive) || mode.startsWith(u"config-if-epon-", Qt::CaseInsensitive))
        return CliMode::Interface;
    if (mode.startsWith(u"config-", Qt::CaseInsensitive) && mode.size() > 7)
        return CliMode::OtherConfig;
    // Diagnose and other modes are not on the way to configuration mode.
    return CliMode::Unknown;
}

} // namespace

CliMode lastPromptMode(QStringView text)
{
    // A carriage return at the very end is a line break whose line feed is
    // still on its way: the prompt, if there was one, is no longer the last line.
    if (text.endsWith(u'\r'))
        return CliMode::Unknown;
    const QStringView last = text.sliced(text.lastIndexOf(u'\n') + 1);
    const std::optional<QString> drawn = drawnLine(last);
    if (!drawn)
        return CliMode::Unknown;
    QStringView line(*drawn);
    while (!line.isEmpty() && line.back().isSpace())
        line.chop(1);
    if (line.isEmpty())
        return CliMode::Unknown;

    const QChar mark = line.back();
    if (mark != u'>' && mark != u'#')
        return CliMode::Unknown;
    const QStringView body = line.chopped(1);

    if (!body.endsWith(u')')) {
        if (!isName(body))
            return CliMode::Unknown;
        return mark == u'>' ? CliMode::User : CliMode::Privileged;
    }
    const qsizetype open = body.indexOf(u'(');
    if (open < 0)
        return CliMode::Unknown;
    const QStringView name = body.first(open);
    const QStringView mode = body.sliced(open + 1, body.size() - open - 2);
    if (!isName(name) || mode.isEmpty() || !std::all_of(mode.begin(), mode.end(), isNameChar))
        return CliMode::Unknown;
    // Huawei has no user-level sub-modes: "NAME(...)>" is not a prompt.
    if (mark != u'#')
        return CliMode::Unknown;
    return subMode(mode);
}

QStringList linesToConfigMode(CliMode mode)
{
    switch (mode) {
    case CliMode::User:
        return {QStringLiteral("enable"), QStringLiteral("config")};
    case CliMode::Privileged:
        return {QStringLiteral("config")};
    case CliMode::Interface:
    case CliMode::OtherConfig:
        return {QStringLiteral("quit")};
    case CliMode::Config:
    case CliMode::Unknown:
        break;
    }
    return {};
}

} // namespace tervix::core
