#pragma once

#include "session/login_credentials.h"
#include "session/olt_session.h"
#include "session/step_engine.h"

#include <QObject>
#include <QTimer>

#include <memory>

namespace tervix::accounts {

// Creates an OLT account over a connection of its own, answering the OLT's
// account dialogue by timing alone: each answer is a step of this
// connection's own engine, run once the OLT has been quiet for 600 ms after
// the previous answer. Each step first reads the answers so far: a refusal,
// a dropped line or a dialogue that stalls ends the attempt with the reason,
// and the account counts as created only when the OLT confirmed the new user
// and then its SSH login. The second way enables SSH for an account that
// already exists.
class AccountCreator : public QObject
{
    Q_OBJECT
public:
    explicit AccountCreator(QObject *parent = nullptr);

    struct NewAccount
    {
        QString name;
        QString password;
        QString repeated;
    };

    // "DODAJ". Returns false (and has shown the box) when the
    // input is refused.
    bool createAccount(const session::LoginCredentials &mainLogin, const NewAccount &account);
    // Enables SSH for an existing user.
    void enableSsh(const session::LoginCredentials &mainLogin, const QString &existingUser);
    // "ANULUJ": ends whatever runs and makes "DODAJ" usable again.
    void cancel();

    const QString &memoText() const { return m_memo; }
    session::OltSession &session() { return m_session; }

Q_SIGNALS:
    void memoChanged(const QString &text);
    void addButtonEnabled(bool enabled);
    // "successfully" was seen: the main window logs in with this account.
    void accountCreated(const QString &name, const QString &password);

private:
    void onReceived(const QString &text);
    // The answer of one step of the dialogue; arms the next.
    session::StepEngine::Outcome runDialogueStep(int counter);
    void appendMemoLine(const QString &line);
    void checkCreated();
    void beginDialogue();
    // Ends a dialogue that failed: the reason goes to the memo and a box.
    void endDialogue(const QString &reason);

    session::OltSession m_session;
    session::StepEngine m_engine;
    QTimer m_useradd;
    QTimer m_deadline;        // ends a dialogue the OLT stopped answering
    bool m_inDialogue = false;
    QString m_memo;
    NewAccount m_account;
    QString m_existingUser;
    session::LoginCredentials m_main;
    enum class Connecting { None, Create, Ssh } m_connecting = Connecting::None;
};

} // namespace tervix::accounts
