#pragma once

#include "session/login_credentials.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tervix::ontconfig {

class AccountCreator;

// "Edycja Uzytkownikow ": opened instead of connecting when the operator logs
// in as "root"; creates a proper account (with SSH) or enables SSH for one.
class Tanc8 : public QWidget
{
    Q_OBJECT
public:
    // mainLogin reads the main window's connection fields; useAccount fills
    // them with the new account and presses "Polacz".
    Tanc8(std::function<session::LoginCredentials()> mainLogin,
          std::function<void(const QString &, const QString &)> useAccount, QWidget *parent = nullptr);
    ~Tanc8() override;

    AccountCreator &creator() { return *m_creator; }

    QLineEdit *a8_a1 = nullptr;
    QLineEdit *a8_a2 = nullptr;
    QLineEdit *a8_a3 = nullptr;
    QLineEdit *a8_a4 = nullptr;
    QPushButton *Button1 = nullptr; // "DODAJ"
    QPushButton *Button2 = nullptr; // enable SSH
    QPushButton *Button3 = nullptr; // "ANULUJ"
    QPlainTextEdit *a8_mem1 = nullptr;

private:
    std::function<session::LoginCredentials()> m_mainLogin;
    AccountCreator *m_creator = nullptr;
};

} // namespace tervix::ontconfig
