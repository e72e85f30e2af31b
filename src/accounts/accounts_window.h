#pragma once

#include "session/login_credentials.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tervix::accounts {

class AccountCreator;

// "Edycja Uzytkownikow ": opened instead of connecting when the operator logs
// in as "root"; creates a proper account (with SSH) or enables SSH for one.
class AccountsWindow : public QWidget
{
    Q_OBJECT
public:
    // mainLogin reads the main window's connection fields; useAccount fills
    // them with the new account and presses "Polacz".
    AccountsWindow(std::function<session::LoginCredentials()> mainLogin,
          std::function<void(const QString &, const QString &)> useAccount, QWidget *parent = nullptr);
    ~AccountsWindow() override;

    AccountCreator &creator() { return *m_creator; }

    QLineEdit *newName = nullptr;
    QLineEdit *newPassword = nullptr;
    QLineEdit *repeatedPassword = nullptr;
    QLineEdit *existingUser = nullptr;
    QPushButton *addButton = nullptr; // "DODAJ"
    QPushButton *enableSshButton = nullptr; // enable SSH
    QPushButton *cancelButton = nullptr; // "ANULUJ"
    QPlainTextEdit *memo = nullptr;

private:
    std::function<session::LoginCredentials()> m_mainLogin;
    AccountCreator *m_creator = nullptr;
};

} // namespace tervix::accounts
