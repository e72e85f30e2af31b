#include "app/typed_commands_window.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tervix::app {

TypedCommandsWindow::TypedCommandsWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Lumora - Wpisywane komendy!"));
    auto *l = new QVBoxLayout(this);
    memo = new QPlainTextEdit(this);
    memo->setReadOnly(true);
    clearButton = new QPushButton(QStringLiteral("czysc logi"), this);
    l->addWidget(memo);
    l->addWidget(clearButton);
    connect(clearButton, &QPushButton::clicked, memo, &QPlainTextEdit::clear);
    resize(480, 360);
}

} // namespace tervix::app
