#include "ui/message_box_dialog_service.h"

#include <QMessageBox>

namespace tervix::ui {

void MessageBoxDialogService::message(QWidget *parent, const QString &caption, const QString &text, Icon icon)
{
    QMessageBox::Icon qi = QMessageBox::Information;
    switch (icon) {
    case Icon::Warning: qi = QMessageBox::Warning; break;
    case Icon::Error: qi = QMessageBox::Critical; break;
    case Icon::Question: qi = QMessageBox::Question; break;
    case Icon::Information: break;
    }
    QMessageBox box(qi, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

DialogService::Answer MessageBoxDialogService::question(QWidget *parent, const QString &caption, const QString &text)
{
    const auto r = QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No);
    return r == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

} // namespace tervix::ui
