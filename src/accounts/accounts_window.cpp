#include "accounts/accounts_window.h"

#include "accounts/account_creator.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tervix::accounts {

AccountsWindow::AccountsWindow(std::function<session::LoginCredentials()> mainLogin,
             std::function<void(const QString &, const QString &)> useAccount, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , m_mainLogin(std::move(mainLogin))
    , m_creator(new AccountCreator(this))
{
    setWindowTitle(QStringLiteral("Edycja Uzytkownikow "));
    auto *l = new QVBoxLayout(this);
    auto *warn = new QLabel(QStringLiteral("-- Nie jest zalecane korzystanie z root! --"), this);
    warn->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    l->addWidget(warn);
    l->addWidget(new QLabel(QStringLiteral("1. Utworz nowego uzytkownika i wlacz dla niego ssh"), this));
    auto *form = new QFormLayout;
    newName = new QLineEdit(this);
    newPassword = new QLineEdit(this);
    newPassword->setEchoMode(QLineEdit::Password);
    repeatedPassword = new QLineEdit(this);
    repeatedPassword->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Nowy uzytkownik"), newName);
    form->addRow(QStringLiteral("haslo"), newPassword);
    form->addRow(QStringLiteral("powtorz haslo"), repeatedPassword);
    l->addLayout(form);
    addButton = new QPushButton(QStringLiteral("DODAJ"), this);
    l->addWidget(addButton);
    l->addWidget(new QLabel(QStringLiteral("2. Jesli posiadasz uzytkow. bez ssh podaj jego nazwe by wlaczyc ssh"), this));
    existingUser = new QLineEdit(this);
    enableSshButton = new QPushButton(QStringLiteral("<- ---- wlacz ssh dla tego usera"), this);
    l->addWidget(existingUser);
    l->addWidget(enableSshButton);
    l->addWidget(new QLabel(QStringLiteral("3. Lub jesli posaidasz juz uzytkownika ssh innego niz root kliknij anuluj"), this));
    l->addWidget(new QLabel(QStringLiteral("i zaloguj sie na niego!"), this));
    cancelButton = new QPushButton(QStringLiteral("ANULUJ"), this);
    l->addWidget(cancelButton);
    memo = new QPlainTextEdit(this);
    memo->setReadOnly(true);
    memo->setStyleSheet(QStringLiteral("background: #404040; color: #ffff00;"));
    l->addWidget(memo, 1);

    connect(addButton, &QPushButton::clicked, this, [this] {
        m_creator->createAccount(m_mainLogin(), {newName->text(), newPassword->text(), repeatedPassword->text()});
    });
    connect(enableSshButton, &QPushButton::clicked, this, [this] { m_creator->enableSsh(m_mainLogin(), existingUser->text()); });
    connect(cancelButton, &QPushButton::clicked, this, [this] {
        m_creator->cancel();
        close();
    });
    connect(m_creator, &AccountCreator::addButtonEnabled, addButton, &QPushButton::setEnabled);
    connect(m_creator, &AccountCreator::memoChanged, memo, &QPlainTextEdit::setPlainText);
    connect(m_creator, &AccountCreator::accountCreated, this,
            [this, useAccount = std::move(useAccount)](const QString &name, const QString &password) {
                addButton->setEnabled(true);
                useAccount(name, password);
                close();
            });
    resize(460, 560);
}

AccountsWindow::~AccountsWindow() = default;

} // namespace tervix::accounts
