#pragma once

#include "app/olt_login_controller.h"
#include "session/olt_session.h"

#include <QObject>
#include <QTimer>

#include <memory>

namespace tervix::ontconfig {

// Creates an OLT account over a connection of its own, answering the OLT's
// account dialogue by timing alone: each answer goes out after the OLT has
// been quiet for 600 ms. Only the final success ("successfully") is read.
// The second way enables SSH for an account that already exists.
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

    // Button1Click ("DODAJ"). Returns false (and has shown the box) when the
    // input is refused.
    bool createAccount(const app::LoginCredentials &mainLogin, const NewAccount &account);
    // Button2Click: enables SSH for an existing user.
    void enableSsh(const app::LoginCredentials &mainLogin, const QString &existingUser);
    // Button3Click ("ANULUJ").
    void cancel();

    int stepCounter() const { return m_counter; }
    const QString &memoText() const { return m_memo; }
    session::OltSession &session() { return m_session; }

Q_SIGNALS:
    void memoChanged(const QString &text);
    void addButtonEnabled(bool enabled);
    // "successfully" was seen: the main window logs in with this account.
    void accountCreated(const QString &name, const QString &password);

private:
    void onReceived(const QString &text);
    void onQuiet();
    void a8_run_step();
    void a8_send_lines(const QList<QPair<QString, int>> &lines);
    void appendMemoLine(const QString &line);
    void tim8_useraddTimer();

    session::OltSession m_session;
    QTimer m_quietCheck;
    QTimer m_useradd;
    int m_counter = 0;
    bool m_busy = false;
    QString m_memo;
    NewAccount m_account;
    QString m_existingUser;
    app::LoginCredentials m_main;
    enum class Connecting { None, Create, Ssh } m_connecting = Connecting::None;
};

} // namespace tervix::ontconfig
