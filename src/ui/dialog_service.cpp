#include "ui/dialog_service.h"

#include <QMessageBox>

namespace tervix::ui {

namespace {
MessageBoxDialogService g_default;
DialogService *g_current = &g_default;
} // namespace

DialogService &DialogService::instance()
{
    return *g_current;
}

void DialogService::install(DialogService *service)
{
    g_current = service ? service : &g_default;
}

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

void ScriptedDialogService::message(QWidget *, const QString &caption, const QString &text, Icon icon)
{
    m_shown.append({caption, text, icon});
}

DialogService::Answer ScriptedDialogService::question(QWidget *, const QString &caption, const QString &text)
{
    m_shown.append({caption, text, Icon::Question});
    if (m_answers.empty())
        return Answer::No;
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

} // namespace tervix::ui
