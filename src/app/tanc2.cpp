#include "app/tanc2.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tervix::app {

Tanc2::Tanc2(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Lumora - Wpisywane komendy!"));
    auto *l = new QVBoxLayout(this);
    f2_memo = new QPlainTextEdit(this);
    f2_memo->setReadOnly(true);
    Button1 = new QPushButton(QStringLiteral("czysc logi"), this);
    l->addWidget(f2_memo);
    l->addWidget(Button1);
    connect(Button1, &QPushButton::clicked, f2_memo, &QPlainTextEdit::clear);
    resize(480, 360);
}

} // namespace tervix::app
