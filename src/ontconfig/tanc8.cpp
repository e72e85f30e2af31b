#include "ontconfig/tanc8.h"

#include "ontconfig/account_creator.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tervix::ontconfig {

Tanc8::Tanc8(std::function<session::LoginCredentials()> mainLogin,
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
    a8_a1 = new QLineEdit(this);
    a8_a2 = new QLineEdit(this);
    a8_a2->setEchoMode(QLineEdit::Password);
    a8_a3 = new QLineEdit(this);
    a8_a3->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Nowy uzytkownik"), a8_a1);
    form->addRow(QStringLiteral("haslo"), a8_a2);
    form->addRow(QStringLiteral("powtorz haslo"), a8_a3);
    l->addLayout(form);
    Button1 = new QPushButton(QStringLiteral("DODAJ"), this);
    l->addWidget(Button1);
    l->addWidget(new QLabel(QStringLiteral("2. Jesli posiadasz uzytkow. bez ssh podaj jego nazwe by wlaczyc ssh"), this));
    a8_a4 = new QLineEdit(this);
    Button2 = new QPushButton(QStringLiteral("<- ---- wlacz ssh dla tego usera"), this);
    l->addWidget(a8_a4);
    l->addWidget(Button2);
    l->addWidget(new QLabel(QStringLiteral("3. Lub jesli posaidasz juz uzytkownika ssh innego niz root kliknij anuluj"), this));
    l->addWidget(new QLabel(QStringLiteral("i zaloguj sie na niego!"), this));
    Button3 = new QPushButton(QStringLiteral("ANULUJ"), this);
    l->addWidget(Button3);
    a8_mem1 = new QPlainTextEdit(this);
    a8_mem1->setReadOnly(true);
    a8_mem1->setStyleSheet(QStringLiteral("background: #404040; color: #ffff00;"));
    l->addWidget(a8_mem1, 1);

    connect(Button1, &QPushButton::clicked, this, [this] {
        m_creator->createAccount(m_mainLogin(), {a8_a1->text(), a8_a2->text(), a8_a3->text()});
    });
    connect(Button2, &QPushButton::clicked, this, [this] { m_creator->enableSsh(m_mainLogin(), a8_a4->text()); });
    connect(Button3, &QPushButton::clicked, this, [this] {
        m_creator->cancel();
        close();
    });
    connect(m_creator, &AccountCreator::addButtonEnabled, Button1, &QPushButton::setEnabled);
    connect(m_creator, &AccountCreator::memoChanged, a8_mem1, &QPlainTextEdit::setPlainText);
    connect(m_creator, &AccountCreator::accountCreated, this,
            [this, useAccount = std::move(useAccount)](const QString &name, const QString &password) {
                Button1->setEnabled(true);
                useAccount(name, password);
                close();
            });
    resize(460, 560);
}

Tanc8::~Tanc8() = default;

} // namespace tervix::ontconfig
