#include "ontconfig/account_creator.h"

#include "core/timing.h"
#include "ui/dialog_service.h"

#include <algorithm>

namespace tervix::ontconfig {

using core::PacedLine;
using ui::DialogService;

namespace {
constexpr int kUseraddPollMs = 1500;
const QString kSuccessWord = QStringLiteral("successfully");
} // namespace

AccountCreator::AccountCreator(QObject *parent)
    : QObject(parent)
    , m_session(timing::kExtraConnectionQuietMs)
{
    m_useradd.setInterval(timing::scaled(kUseraddPollMs));
    connect(&m_useradd, &QTimer::timeout, this, &AccountCreator::tim8_useraddTimer);
    connect(&m_session.connection(), &session::OltConnection::received, this, &AccountCreator::onReceived);
    connect(&m_session, &session::OltSession::quiet, this, &AccountCreator::onQuiet);
    // A quiet period that ends while answers are still being typed is checked
    // again once the pacer is done.
    m_quietCheck.setSingleShot(true);
    connect(&m_quietCheck, &QTimer::timeout, this, &AccountCreator::onQuiet);
    connect(&m_session.connection(), &session::OltConnection::connected, this, [this] {
        const app::LoginCredentials c = m_main;
        auto &pacer = m_session.pacer();
        if (m_connecting == Connecting::Create) {
            if (c.safeMode)
                pacer.enqueueWait(timing::kSafeModeWaitMs);
            pacer.enqueue({PacedLine::wait(timing::kLoginPreWaitMs), PacedLine::send(c.login, 200),
                           PacedLine::send(c.password)});
            pacer.enqueueAction([this] { m_counter = 1; });
        } else if (m_connecting == Connecting::Ssh) {
            pacer.enqueue({PacedLine::wait(200), PacedLine::send(c.login, 200), PacedLine::send(c.password)});
            pacer.enqueueAction([this] { m_counter = 30; });
        }
        m_connecting = Connecting::None;
    });
    connect(&m_session.connection(), &session::OltConnection::connectFailed, this, [this] {
        const bool create = m_connecting == Connecting::Create;
        m_connecting = Connecting::None;
        DialogService::instance().error(nullptr, QStringLiteral("Blad polaczenia!"),
                                        QStringLiteral("Czy adres IP poprawny?\nNie moge uzyskac polaczenia!"));
        if (create)
            Q_EMIT addButtonEnabled(true);
    });
}

bool AccountCreator::createAccount(const app::LoginCredentials &mainLogin, const NewAccount &account)
{
    m_busy = false;
    if (account.name.size() < 6) {
        DialogService::instance().error(nullptr, QStringLiteral("Uzytkownik"),
                                        QStringLiteral("Nazwa uzytkownika powinna skladac sie z conajmnije 6 znakow!"));
        return false;
    }
    if (account.password.size() < 6) {
        DialogService::instance().error(nullptr, QStringLiteral("Haslo!"),
                                        QStringLiteral("Haslo powinno skladac sie z conajmnije 6 znakow!"));
        return false;
    }
    if (account.password != account.repeated) {
        DialogService::instance().error(nullptr, QStringLiteral("Haslo!"),
                                        QStringLiteral("Haslo i haslo powtorzone, nie zgadzaja sie!"));
        return false;
    }
    // Every answer is typed into the OLT's dialogue as a line of its own; a line
    // break inside one would answer the next question too.
    for (const QString &v : {account.name, account.password}) {
        for (QChar c : v) {
            if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
                DialogService::instance().error(nullptr, QStringLiteral("Uzytkownik"),
                                                QStringLiteral("Niedozwolone znaki sterujace / Control characters are not allowed."));
                return false;
            }
        }
    }
    m_account = account;
    m_main = mainLogin;
    Q_EMIT addButtonEnabled(false);
    m_connecting = Connecting::Create;
    m_session.pacer().clear();
    m_session.connection().connectTo(mainLogin.address);
    return true;
}

void AccountCreator::enableSsh(const app::LoginCredentials &mainLogin, const QString &existingUser)
{
    m_busy = false;
    if (existingUser.trimmed().isEmpty() || std::any_of(existingUser.begin(), existingUser.end(), [](QChar c) {
            return c.unicode() < 0x20 || c.unicode() == 0x7f;
        })) {
        DialogService::instance().error(nullptr, QStringLiteral("Uzytkownik"),
                                        QStringLiteral("Podaj nazwe uzytkownika / Enter the user name."));
        return;
    }
    m_main = mainLogin;
    m_existingUser = existingUser;
    m_session.pacer().clear();
    m_session.pacer().enqueueWait(timing::kLoginPreWaitMs);
    m_session.pacer().enqueueAction([this] {
        m_session.connection().disconnectFromOlt();
        m_connecting = Connecting::Ssh;
        m_session.connection().connectTo(m_main.address);
    });
}

void AccountCreator::cancel()
{
    m_useradd.stop();
    m_session.pacer().clear();
    m_session.connection().disconnectFromOlt();
}

void AccountCreator::onReceived(const QString &text)
{
    // The memo shows lines: a carriage return starts a new line and a line
    // feed right after it is dropped.
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_memo += t;
    Q_EMIT memoChanged(m_memo);
}

void AccountCreator::appendMemoLine(const QString &line)
{
    if (!m_memo.isEmpty() && !m_memo.endsWith(u'\n'))
        m_memo += u'\n';
    m_memo += line + u'\n';
    Q_EMIT memoChanged(m_memo);
}

void AccountCreator::onQuiet()
{
    if (m_counter <= 0 || m_busy || m_session.outputArriving())
        return;
    if (!m_session.pacer().isIdle()) {
        m_quietCheck.start(timing::scaled(100));
        return;
    }
    a8_run_step();
}

void AccountCreator::a8_send_lines(const QList<QPair<QString, int>> &lines)
{
    core::CommandBatch b;
    for (const auto &l : lines)
        b.append(PacedLine::send(l.first, l.second));
    m_session.send(b);
}

void AccountCreator::a8_run_step()
{
    m_busy = true;
    ++m_counter;
    const QList<QPair<QString, int>> preparation{{QStringLiteral("enable"), 100},
                                                 {QStringLiteral("undo smart"), 100},
                                                 {QStringLiteral("idle-timeout 60"), 100},
                                                 {QStringLiteral("scroll 512"), 100},
                                                 {QStringLiteral("config"), 0}};
    switch (m_counter) {
    case 2: a8_send_lines(preparation); break;
    case 3: a8_send_lines({{QStringLiteral("terminal user name"), 150}}); break;
    case 4: a8_send_lines({{m_account.name, 100}}); break;
    case 5: a8_send_lines({{m_account.password, 100}}); break;
    case 6: a8_send_lines({{m_account.repeated, 100}}); break;
    case 7: a8_send_lines({{QString(), 100}}); break;
    case 8: a8_send_lines({{QStringLiteral("3"), 100}}); break;
    case 9: a8_send_lines({{QStringLiteral("4"), 100}}); break;
    case 10: a8_send_lines({{QString(), 100}}); break;
    case 11: a8_send_lines({{QStringLiteral("n"), 100}}); break;
    case 12:
        m_session.send({PacedLine::send(QStringLiteral("ssh user ") + m_account.name + QStringLiteral(" authentication-type password"))});
        appendMemoLine(QStringLiteral("[OK] USER ssh dodany. Kliknij Anuluj i zaloguj sie na niego w glownym oknie!"));
        m_session.pacer().enqueueWait(100);
        m_useradd.start(timing::scaled(kUseraddPollMs));
        break;
    case 31: a8_send_lines(preparation); break;
    case 32:
        m_session.send({PacedLine::send(QStringLiteral("ssh user ") + m_existingUser + QStringLiteral(" authentication-type password"))});
        appendMemoLine(QStringLiteral("SSH WLACZONE KLIKNIJ ANULUJ I ZALOGUJ SIE NA USERA!"));
        break;
    default: break;
    }
    m_busy = false;
}

void AccountCreator::tim8_useraddTimer()
{
    if (!m_memo.contains(kSuccessWord))
        return;
    m_useradd.stop();
    m_memo.clear();
    Q_EMIT memoChanged(m_memo);
    Q_EMIT accountCreated(m_account.name, m_account.password);
}

} // namespace tervix::ontconfig
