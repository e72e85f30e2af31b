#include "cli_session.h"

#include "listings.h"

#include <utility>

namespace oltsim {

namespace {
const QString kMorePrompt = QStringLiteral("---- More ( Press 'Q' to break ) ----");
QString eraseSequence()
{
    return QStringLiteral("\x1b[37D") + QString(37, QLatin1Char(' ')) + QStringLiteral("\x1b[37D");
}
} // namespace

CliSession::CliSession(OltCore &core, const QString &peerAddress, QObject *parent)
    : QObject(parent)
    , m_core(core)
    , m_id(core.newSessionId())
    , m_peer(peerAddress)
{
    m_scroll = core.settings.defaultScroll;
    m_idleMinutes = core.settings.idleTimeoutMinutes;
    m_core.setSessionUser(m_id, QString());
    m_idleTimer.setSingleShot(true);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] {
        close(QStringLiteral("\r\n  Configuration console time out, please retry to log on\r\n"));
    });
    if (core.settings.saveReminderSeconds > 0) {
        m_reminderTimer.setInterval(core.settings.saveReminderSeconds * 1000);
        connect(&m_reminderTimer, &QTimer::timeout, this, &CliSession::sendReminder);
        m_reminderTimer.start();
    }
}

CliSession::~CliSession()
{
    if (!m_user.isEmpty())
        m_core.lastLogins[m_user].logoutTime = m_core.model.formatTime(m_core.model.now());
    m_core.sessionClosed(m_id);
}

QString CliSession::prompt() const
{
    const QString &h = m_core.model.hostname;
    switch (m_mode) {
    case Mode::User:
        return h + QLatin1Char('>');
    case Mode::Privileged:
        return h + QLatin1Char('#');
    case Mode::Config:
        return h + QStringLiteral("(config)#");
    case Mode::IfGpon:
        return h + QStringLiteral("(config-if-gpon-%1/%2)#").arg(m_modeA).arg(m_modeB);
    case Mode::IfEpon:
        return h + QStringLiteral("(config-if-epon-%1/%2)#").arg(m_modeA).arg(m_modeB);
    case Mode::Btv:
        return h + QStringLiteral("(config-btv)#");
    case Mode::Mvlan:
        return h + QStringLiteral("(config-mvlan%1)#").arg(m_modeA);
    case Mode::Vlanif:
        return h + QStringLiteral("(config-if-vlanif%1)#").arg(m_modeA);
    case Mode::LineProfile:
        return h + QStringLiteral("(config-%1-lineprofile-%2)#").arg(m_modeB ? QStringLiteral("epon") : QStringLiteral("gpon")).arg(m_modeA);
    case Mode::SrvProfile:
        return h + QStringLiteral("(config-%1-srvprofile-%2)#").arg(m_modeB ? QStringLiteral("epon") : QStringLiteral("gpon")).arg(m_modeA);
    case Mode::Diagnose:
        return h + QStringLiteral("(diagnose)%%");
    }
    return h + QLatin1Char('>');
}

void CliSession::start()
{
    restartIdleTimer();
    write(QStringLiteral("\r\n>>User name:"));
}

void CliSession::restartIdleTimer()
{
    if (m_idleMinutes > 0)
        m_idleTimer.start(m_idleMinutes * 60 * 1000);
    else
        m_idleTimer.stop();
}

void CliSession::feed(const QByteArray &bytes)
{
    if (m_state == State::Closed)
        return;
    restartIdleTimer();
    // The log of received lines is taken from the raw stream, whatever the
    // session makes of the bytes (a page key and its carriage return included).
    for (const char c : bytes) {
        if (c == '\r' || (c == '\n' && !m_rawLastCr)) {
            m_core.recordLine(m_id, QString::fromLatin1(m_rawLine));
            m_rawLine.clear();
        } else if (c != '\n' && c != '\0') {
            m_rawLine += c;
        }
        m_rawLastCr = (c == '\r');
    }
    m_in += bytes;
    processInput();
}

void CliSession::processInput()
{
    qsizetype i = 0;
    while (i < m_in.size() && !m_busy) {
        if (m_state == State::Closed || m_state == State::Silent) {
            i = m_in.size();
            break;
        }
        const char c = m_in.at(i++);
        if (c == '\0')
            continue;
        if (c == '\n' && m_lastWasCr) {
            m_lastWasCr = false;
            continue;
        }
        m_lastWasCr = (c == '\r');
        if (m_state == State::More) {
            const bool lineEnd = c == '\r' || c == '\n';
            // A page key and the carriage return after it are one line typed:
            // the line latency comes once, before the key is acted on. Keys
            // without a carriage return (a space each page) wait each.
            if (m_core.faults.lineLatencyMs > 0 && (!m_latencyPaid || !lineEnd)) {
                m_latencyPaid = !lineEnd;
                afterLatency([this, c] { moreKey(c); });
                continue;
            }
            if (lineEnd)
                m_latencyPaid = false;
            moreKey(c);
            continue;
        }
        if (c == '\r' || c == '\n') {
            completeLine();
            continue;
        }
        const bool echo = m_state == State::LoginUser || m_state == State::Smart
            || (m_state == State::Command && !m_core.faults.noQuitEcho) || (m_state == State::Ask && m_answerEcho);
        if (c == 0x08 || c == 0x7f) {
            if (!m_lineBuf.isEmpty()) {
                m_lineBuf.chop(1);
                if (echo)
                    write(QStringLiteral("\b \b"));
            }
            continue;
        }
        if (static_cast<unsigned char>(c) < 0x20)
            continue;
        m_lineBuf += c;
        if (echo) {
            writeBytes(QByteArray(1, c));
            // A long line wraps at the 80th column the device's way: a space and one step back.
            if (m_state == State::Command && (int(prompt().size()) + int(m_lineBuf.size())) % 80 == 0)
                write(QStringLiteral(" \x1b[1D"));
        }
    }
    m_in.remove(0, i);
}

void CliSession::afterLatency(std::function<void()> then)
{
    m_busy = true;
    QTimer::singleShot(m_core.faults.lineLatencyMs, this, [this, then = std::move(then)] {
        m_busy = false;
        then();
        processInput();
    });
}

void CliSession::completeLine()
{
    const QString line = QString::fromLatin1(m_lineBuf);
    m_lineBuf.clear();
    // Every line typed waits the line latency once (a line begun with a page
    // key has waited already); a command line's echo is closed before it.
    const bool paid = std::exchange(m_latencyPaid, false);
    if (m_state != State::Command && !paid && m_core.faults.lineLatencyMs > 0) {
        afterLatency([this, line] { lineCompleted(line); });
        return;
    }
    if (m_state == State::Command) {
        handleCommandLine(line, !paid);
        return;
    }
    lineCompleted(line);
}

void CliSession::lineCompleted(const QString &line)
{
    switch (m_state) {
    case State::LoginUser:
        m_pendingUser = line;
        m_state = State::LoginPassword;
        write(QStringLiteral("\r\n>>User password:"));
        break;
    case State::LoginPassword:
        write(QStringLiteral("\r\n"));
        handleLogin(line);
        break;
    case State::Command:
        handleCommandLine(line, false);
        break;
    case State::Smart: {
        write(QStringLiteral("\r\n"));
        const QString pending = m_smartLine;
        m_smartLine.clear();
        m_state = State::Command;
        if (line.trimmed().isEmpty()) {
            write(QStringLiteral("\r\n  Command:\r\n          ") + pending + QStringLiteral("\r\n"));
            runCommand(pending, true);
        } else {
            runCommand(pending + QLatin1Char(' ') + line.trimmed(), false);
        }
        break;
    }
    case State::Ask: {
        write(QStringLiteral("\r\n"));
        auto answer = std::move(m_answer);
        m_answer = nullptr;
        m_question.clear();
        m_state = State::Command;
        m_out.clear();
        m_answerIsListing = false;
        if (answer)
            answer(line);
        finishCommand();
        break;
    }
    case State::More:
    case State::Silent:
    case State::Closed:
        break;
    }
}

void CliSession::handleLogin(const QString &password)
{
    if (m_core.faults.loginNeverAnswers) {
        m_state = State::Silent;
        return;
    }
    const User *u = m_core.model.user(m_pendingUser);
    if (!u || u->password != password) {
        ++m_failedLogins;
        write(QStringLiteral("\r\nUsername or password invalid.\r\n"));
        if (m_failedLogins >= m_core.settings.maxLoginAttempts) {
            close(QString());
            return;
        }
        m_state = State::LoginUser;
        write(QStringLiteral("\r\n>>User name:"));
        return;
    }
    // The permitted reenter number counts the logins beside the first one.
    if (m_core.sessionsOf(u->name) > u->reenter) {
        write(QStringLiteral("\r\nReenter times have reached the upper limit.\r\n"));
        m_state = State::LoginUser;
        write(QStringLiteral("\r\n>>User name:"));
        return;
    }
    m_user = u->name;
    m_core.setSessionUser(m_id, m_user);
    const QString sep = listings::separator(2, 77);
    QString banner = QStringLiteral("\r\n\r\n  Huawei Integrated Access Software (%1).\r\n"
                                    "  Copyright(C) Huawei Technologies Co., Ltd. 2002-2019. All rights reserved.\r\n\r\n")
                         .arg(m_core.model.product);
    const auto last = m_core.lastLogins.constFind(m_user);
    if (last != m_core.lastLogins.cend()) {
        banner += sep + QStringLiteral("\r\n  User last login information:\r\n") + sep + QStringLiteral("\r\n")
            + QStringLiteral("  Access Type : Telnet \r\n  IP-Address  : %1\r\n  Login  Time : %2\r\n  Logout Time : %3\r\n")
                  .arg(last->address, last->loginTime, last->logoutTime)
            + sep + QStringLiteral("\r\n");
    }
    m_core.lastLogins.insert(m_user, {m_peer, m_core.model.formatTime(m_core.model.now()), QStringLiteral("-")});
    write(banner);
    m_state = State::Command;
    m_mode = Mode::User;
    write(QStringLiteral("\r\n"));
    printPrompt();
}

void CliSession::handleCommandLine(const QString &line, bool wait)
{
    if (m_core.faults.noQuitEcho && line.trimmed() != QLatin1String("quit"))
        write(line);
    const bool empty = line.trimmed().isEmpty();
    write(empty ? QStringLiteral("\r\n") : QStringLiteral(" \r\n"));
    if (!empty)
        ++m_commandCount;
    auto answer = [this, line, empty] {
        if (empty) {
            write(QStringLiteral("\r\n"));
            printPrompt();
            return;
        }
        runCommand(line, false);
    };
    if (wait && m_core.faults.lineLatencyMs > 0) {
        afterLatency(answer);
        return;
    }
    answer();
}

void CliSession::runCommand(const QString &line, bool afterSmart)
{
    m_core.applyTimedEvents();
    m_out.clear();
    m_answerIsListing = false;
    m_runningLine = line;
    const QList<Token> tokens = tokenize(line);
    const Command *found = nullptr;
    MatchResult ok;
    MatchResult failure;
    bool haveFailure = false;
    QList<Mode> modes{m_mode};
    // The multicast modes take the configuration commands as well.
    if (m_mode == Mode::Btv || m_mode == Mode::Mvlan)
        modes << Mode::Config;
    for (const Mode m : std::as_const(modes)) {
        for (const Command &c : commands()) {
            if (!(c.modes & bit(m)))
                continue;
            const MatchResult r = matchPattern(c.pattern, tokens);
            if (r.error == SyntaxError::None) {
                found = &c;
                ok = r;
                break;
            }
            if (!haveFailure || betterFailure(r, failure)) {
                failure = r;
                haveFailure = true;
            }
        }
        if (found)
            break;
    }
    if (!found) {
        writeSyntaxError(line, failure);
        endOfOutput();
        return;
    }
    if (m_smart && !afterSmart && !found->hint.isEmpty()) {
        m_smartLine = line;
        m_state = State::Smart;
        write(found->hint + QLatin1Char(' '));
        return;
    }
    Args a;
    a.v = ok.values;
    a.rest = ok.rest;
    a.tokens = tokens;
    a.line = line;
    (this->*(found->handler))(a);
    finishCommand();
}

void CliSession::writeSyntaxError(const QString &line, const MatchResult &r)
{
    const QList<Token> tokens = tokenize(line);
    int pos = int(line.size());
    if (r.token < tokens.size())
        pos = tokens.at(r.token).pos;
    write(QString(int(prompt().size()) + pos, QLatin1Char(' ')) + QStringLiteral("^\r\n") + syntaxErrorText(r.error) + QStringLiteral("\r\n"));
}

void CliSession::finishCommand()
{
    if (m_state == State::Closed)
        return;
    if (m_answer) {
        QString text;
        for (const QString &l : std::as_const(m_out))
            text += l + QStringLiteral("\r\n");
        m_out.clear();
        write(text + m_question);
        m_state = State::Ask;
        return;
    }
    m_state = State::Command;
    m_page = m_out;
    m_out.clear();
    m_pagePos = 0;
    m_cutListing = cutListing(m_page);
    insertAlarm(m_page);
    if (m_page.isEmpty()) {
        if (m_cutListing)
            dropInListing();
        else
            endOfOutput();
        return;
    }
    // The command's echo takes one line of the first page.
    emitPage(std::max(1, m_scroll - 1));
}

void CliSession::emitPage(int lines)
{
    const qsizetype end = std::min(m_page.size(), m_pagePos + lines);
    QString chunk;
    for (qsizetype i = m_pagePos; i < end; ++i)
        chunk += m_page.at(i) + QStringLiteral("\r\n");
    m_pagePos = end;
    if (m_pagePos < m_page.size()) {
        write(chunk + kMorePrompt);
        m_state = State::More;
        return;
    }
    write(chunk);
    m_page.clear();
    if (m_cutListing) {
        dropInListing();
        return;
    }
    endOfOutput();
}

bool CliSession::cutListing(QStringList &page) const
{
    const Faults &f = m_core.faults;
    if (!m_answerIsListing || f.dropListingAfterLines < 0 || f.dropListingTimes == 0 || page.size() <= f.dropListingAfterLines)
        return false;
    if (!f.dropListingCommandText.isEmpty() && !m_runningLine.contains(f.dropListingCommandText))
        return false;
    page = page.mid(0, f.dropListingAfterLines);
    return true;
}

void CliSession::dropInListing()
{
    m_cutListing = false;
    Faults &f = m_core.faults;
    if (f.dropListingTimes > 0)
        --f.dropListingTimes;
    close(QString());
}

void CliSession::insertAlarm(QStringList &page)
{
    Faults &f = m_core.faults;
    if (f.alarmAnswers == 0 || page.size() < 2)
        return;
    if (!f.alarmCommandText.isEmpty() && !m_runningLine.contains(f.alarmCommandText))
        return;
    if (f.alarmAnswers > 0)
        --f.alarmAnswers;
    // The report is about an ONT that has left the fibre, if there is one.
    const Ont *about = nullptr;
    for (const Ont &o : model().onts) {
        if (!about || (!o.online() && about->online()))
            about = &o;
    }
    const QStringList block = listings::alarmBlock(listings::lossOfSignalAlarm(model(), m_core.nextAlarmSequence(), about));
    const qsizetype at = page.size() / 2;
    page = page.mid(0, at) + block + page.mid(at);
}

void CliSession::moreKey(char c)
{
    if (c == 'q' || c == 'Q') {
        write(eraseSequence() + QStringLiteral("\r\n"));
        m_page.clear();
        m_cutListing = false;
        m_state = State::Command;
        printPrompt();
        return;
    }
    write(eraseSequence());
    // Enter gives one more line, any other key the next page.
    emitPage(c == '\r' || c == '\n' ? 1 : m_scroll);
}

void CliSession::endOfOutput()
{
    m_state = State::Command;
    write(QStringLiteral("\r\n"));
    printPrompt();
    if (m_core.faults.dropAfterCommands >= 0 && m_commandCount > 0 && m_commandCount >= m_core.faults.dropAfterCommands)
        close(QString());
}

void CliSession::printPrompt()
{
    write(prompt());
}

void CliSession::write(const QString &latin1)
{
    writeBytes(latin1.toLatin1());
}

void CliSession::writeBytes(const QByteArray &bytes)
{
    if (m_state == State::Closed || bytes.isEmpty())
        return;
    Q_EMIT output(bytes);
}

void CliSession::sayListing(const QStringList &lines)
{
    m_answerIsListing = true;
    if (m_core.faults.garbageEveryLines <= 0) {
        m_out << lines;
        return;
    }
    for (const QString &l : lines)
        m_out << (++m_listingLines % m_core.faults.garbageEveryLines == 0 ? garble(l) : l);
}

QString CliSession::garble(const QString &line)
{
    // Stray bytes as a noisy line or a confused terminal server would add them,
    // 8-bit ones and a Telnet IAC among them.
    static const char junk[] = {'~', char(0xb1), char(0xe6), char(0x80), char(0xff), '#', char(0xa7), '%'};
    QString s = line + QLatin1Char(' ');
    const int n = 2 + int(m_core.random().bounded(5));
    for (int k = 0; k < n; ++k)
        s += QChar(static_cast<unsigned char>(junk[m_core.random().bounded(int(sizeof junk))]));
    return s;
}

void CliSession::ask(const QString &question, std::function<void(const QString &)> answer, bool echo)
{
    m_question = question;
    m_answer = std::move(answer);
    m_answerEcho = echo;
}

void CliSession::confirm(const QString &question, std::function<void()> onYes)
{
    ask(question, [onYes = std::move(onYes)](const QString &a) {
        if (a.trimmed().compare(QLatin1String("y"), Qt::CaseInsensitive) == 0)
            onYes();
    });
}

void CliSession::close(const QString &lastWords)
{
    if (m_state == State::Closed)
        return;
    if (!lastWords.isEmpty())
        write(lastWords);
    m_state = State::Closed;
    m_idleTimer.stop();
    m_reminderTimer.stop();
    Q_EMIT closeRequested();
}

void CliSession::notify(const QStringList &lines)
{
    if (m_state != State::Command || m_busy || !m_lineBuf.isEmpty())
        return;
    write(QStringLiteral("\r\n") + lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\n"));
    printPrompt();
}

void CliSession::sendReminder()
{
    if (m_core.model.unsaved && !m_user.isEmpty())
        notify({QStringLiteral("  Check whether system data has been changed. Please save data before logout.")});
}

void CliSession::enterMode(Mode m, int a, int b)
{
    m_mode = m;
    m_modeA = a;
    m_modeB = b;
}

} // namespace oltsim
