#include "accounts/account_creator.h"

#include "accounts/account_steps.h"
#include "core/login_answer.h"
#include "core/timing.h"
#include "session/login_sequence.h"
#include "session/trace_tags.h"
#include "ui/dialog_service.h"

#include <algorithm>

namespace tervix::accounts {

using core::PacedLine;
using ui::DialogService;

namespace {
// What the OLT prints when the dialogue added the user, and when it then took
// "ssh user NAME authentication-type password".
const QString kUserAdded = QStringLiteral("Adding user succeeds");
const QString kSuccessWord = QStringLiteral("successfully");

// The OLT's refusal of a line of the dialogue or of the login.
QString dialogueRefusal(const QString &memo)
{
    const QString login = core::loginRefusal(memo);
    if (!login.isEmpty())
        return login;
    for (const QString &marker : {QStringLiteral("Failure:"), QStringLiteral("% Unknown command"),
                                  QStringLiteral("% Parameter error"), QStringLiteral("Error:")}) {
        const qsizetype at = memo.indexOf(marker);
        if (at >= 0) {
            const qsizetype end = memo.indexOf(u'\n', at);
            return memo.mid(at, end < 0 ? -1 : end - at).trimmed();
        }
    }
    return {};
}
} // namespace

AccountCreator::AccountCreator(QObject *parent)
    : QObject(parent)
    , m_session(timing::kExtraConnectionQuietMs)
    , m_engine(m_session, nullptr, session::TraceTag::kAccountStep)
{
    for (int c = AccountStep::kFirstCreate; c <= AccountStep::kLastCreate; ++c)
        m_engine.registerBranch(c, [this](int code) { return runDialogueStep(code); });
    for (int c = AccountStep::kFirstSsh; c <= AccountStep::kSshAnswer; ++c)
        m_engine.registerBranch(c, [this](int code) { return runDialogueStep(code); });
    m_useradd.setInterval(timing::scaled(timing::kAccountCreatedPollMs));
    connect(&m_useradd, &QTimer::timeout, this, &AccountCreator::checkCreated);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        endDialogue(QStringLiteral("OLT nie odpowiada / The OLT does not answer."));
    });
    connect(&m_session.connection(), &session::OltConnection::received, this, &AccountCreator::onReceived);
    connect(&m_session.connection(), &session::OltConnection::connected, this, [this] {
        const session::LoginCredentials c = m_main;
        if (m_connecting == Connecting::Create) {
            session::enqueueLogin(m_session, c, session::LoginPacing::accountDialogue(c.safeMode),
                                  [this] { m_engine.arm(AccountStep::kFirstCreate); });
        } else if (m_connecting == Connecting::Ssh) {
            session::enqueueLogin(m_session, c, session::LoginPacing::sshForExistingUser(),
                                  [this] { m_engine.arm(AccountStep::kFirstSsh); });
        }
        m_connecting = Connecting::None;
    });
    connect(&m_session.connection(), &session::OltConnection::disconnected, this, [this] {
        if (m_inDialogue)
            endDialogue(QStringLiteral("OLT zamknal polaczenie / The OLT closed the connection."));
    });
    connect(&m_session.connection(), &session::OltConnection::connectFailed, this, [this] {
        m_connecting = Connecting::None;
        m_inDialogue = false;
        m_deadline.stop();
        DialogService::instance().error(nullptr, QStringLiteral("Blad polaczenia!"),
                                        QStringLiteral("Czy adres IP poprawny?\nNie moge uzyskac polaczenia!"));
        Q_EMIT addButtonEnabled(true);
    });
}

void AccountCreator::beginDialogue()
{
    // Each attempt reads only its own answers: a success of an earlier one
    // must not count for this one.
    m_useradd.stop();
    m_memo.clear();
    Q_EMIT memoChanged(m_memo);
    m_inDialogue = true;
    m_deadline.start(timing::scaled(timing::kAccountDialogueDeadlineMs));
}

void AccountCreator::endDialogue(const QString &reason)
{
    if (!m_inDialogue)
        return;
    m_inDialogue = false;
    m_useradd.stop();
    m_deadline.stop();
    m_engine.cancel();
    m_session.pacer().clear();
    m_session.connection().disconnectFromOlt();
    appendMemoLine(QStringLiteral("[BLAD / ERROR] ") + reason);
    Q_EMIT addButtonEnabled(true);
    DialogService::instance().error(nullptr, QStringLiteral("Uzytkownik"),
                                    QStringLiteral("Konto nie zostalo utworzone / The account was not created.\n") + reason);
}

bool AccountCreator::createAccount(const session::LoginCredentials &mainLogin, const NewAccount &account)
{
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
    m_inDialogue = false; // the old line goes quietly
    m_engine.cancel();
    m_session.pacer().clear();
    m_session.connection().disconnectFromOlt();
    beginDialogue();
    m_connecting = Connecting::Create;
    m_session.connection().connectTo(mainLogin.address);
    return true;
}

void AccountCreator::enableSsh(const session::LoginCredentials &mainLogin, const QString &existingUser)
{
    if (existingUser.trimmed().isEmpty() || std::any_of(existingUser.begin(), existingUser.end(), [](QChar c) {
            return c.unicode() < 0x20 || c.unicode() == 0x7f;
        })) {
        DialogService::instance().error(nullptr, QStringLiteral("Uzytkownik"),
                                        QStringLiteral("Podaj nazwe uzytkownika / Enter the user name."));
        return;
    }
    m_main = mainLogin;
    m_existingUser = existingUser;
    m_inDialogue = false;
    m_engine.cancel();
    m_session.pacer().clear();
    m_session.pacer().enqueueWait(timing::kLoginPreWaitMs);
    m_session.pacer().enqueueAction([this] {
        m_session.connection().disconnectFromOlt();
        beginDialogue();
        m_connecting = Connecting::Ssh;
        m_session.connection().connectTo(m_main.address);
    });
}

void AccountCreator::cancel()
{
    m_inDialogue = false;
    m_connecting = Connecting::None;
    m_useradd.stop();
    m_deadline.stop();
    m_engine.cancel();
    m_session.pacer().clear();
    m_session.connection().disconnectFromOlt();
    m_memo.clear();
    Q_EMIT memoChanged(m_memo);
    Q_EMIT addButtonEnabled(true);
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

session::StepEngine::Outcome AccountCreator::runDialogueStep(int counter)
{
    // Every answer is read before the next question is answered: after a
    // refusal the OLT is no longer where the dialogue thinks it is.
    const QString refusal = dialogueRefusal(m_memo);
    if (!refusal.isEmpty()) {
        endDialogue(refusal);
        return session::StepEngine::Outcome::SkipFrameEnd;
    }
    const QStringList preparation = session::terminalPreparation(60);
    switch (counter) {
    case AccountStep::kFirstCreate: m_session.send(core::batchOf(preparation, timing::kAccountAnswerWaitMs)); break;
    case 3: m_session.send(core::batchOf({QStringLiteral("terminal user name")}, timing::kAccountUserNameWaitMs)); break;
    case 4: m_session.send(core::batchOf({m_account.name}, timing::kAccountAnswerWaitMs)); break;
    case 5: m_session.send(core::batchOf({m_account.password}, timing::kAccountAnswerWaitMs)); break;
    case 6: m_session.send(core::batchOf({m_account.repeated}, timing::kAccountAnswerWaitMs)); break;
    case 7: m_session.send(core::batchOf({QString()}, timing::kAccountAnswerWaitMs)); break;
    case 8: m_session.send(core::batchOf({QStringLiteral("3")}, timing::kAccountAnswerWaitMs)); break;
    case 9: m_session.send(core::batchOf({QStringLiteral("4")}, timing::kAccountAnswerWaitMs)); break;
    case 10: m_session.send(core::batchOf({QString()}, timing::kAccountAnswerWaitMs)); break;
    case 11: m_session.send(core::batchOf({QStringLiteral("n")}, timing::kAccountAnswerWaitMs)); break;
    case AccountStep::kLastCreate:
        if (!m_memo.contains(kUserAdded)) {
            endDialogue(QStringLiteral("OLT nie potwierdzil dodania uzytkownika / The OLT did not confirm the new user."));
            return session::StepEngine::Outcome::SkipFrameEnd;
        }
        m_session.send({PacedLine::send(QStringLiteral("ssh user ") + m_account.name + QStringLiteral(" authentication-type password"))});
        appendMemoLine(QStringLiteral("[OK] USER ssh dodany. Kliknij Anuluj i zaloguj sie na niego w glownym oknie!"));
        m_session.pacer().enqueueWait(timing::kAccountAnswerWaitMs);
        m_useradd.start(timing::scaled(timing::kAccountCreatedPollMs));
        break;
    case AccountStep::kFirstSsh: m_session.send(core::batchOf(preparation, timing::kAccountAnswerWaitMs)); break;
    case AccountStep::kLastSsh:
        m_session.send({PacedLine::send(QStringLiteral("ssh user ") + m_existingUser + QStringLiteral(" authentication-type password"))});
        m_engine.arm(AccountStep::kSshAnswer);
        break;
    case AccountStep::kSshAnswer:
        if (!m_memo.contains(kSuccessWord)) {
            endDialogue(QStringLiteral("OLT nie potwierdzil wlaczenia SSH / The OLT did not confirm SSH."));
            return session::StepEngine::Outcome::SkipFrameEnd;
        }
        m_inDialogue = false;
        m_deadline.stop();
        appendMemoLine(QStringLiteral("SSH WLACZONE KLIKNIJ ANULUJ I ZALOGUJ SIE NA USERA!"));
        break;
    default: break;
    }
    // Each answer waits for the OLT's reaction to the previous one.
    if (counter != AccountStep::kLastCreate && counter < AccountStep::kLastSsh)
        m_engine.arm(counter + 1);
    return session::StepEngine::Outcome::Done;
}

void AccountCreator::checkCreated()
{
    // The user was added, and then its SSH login enabled: the success word
    // must come after the dialogue's own confirmation.
    const qsizetype added = m_memo.indexOf(kUserAdded);
    const QString refusal = dialogueRefusal(m_memo);
    if (!refusal.isEmpty()) {
        endDialogue(refusal);
        return;
    }
    if (added < 0 || m_memo.indexOf(kSuccessWord, added + kUserAdded.size()) < 0)
        return;
    m_useradd.stop();
    m_deadline.stop();
    m_inDialogue = false;
    m_memo.clear();
    Q_EMIT memoChanged(m_memo);
    Q_EMIT accountCreated(m_account.name, m_account.password);
}

} // namespace tervix::accounts
