#include "ui/dialog_service.h"

#include <QDebug>

namespace tervix::ui {

namespace {
class LoggingDialogService : public DialogService
{
public:
    void message(QWidget *, const QString &caption, const QString &text, Icon) override
    {
        qWarning().noquote() << caption << "-" << text;
    }
    Answer question(QWidget *, const QString &caption, const QString &text) override
    {
        qWarning().noquote() << caption << "-" << text << "(answered No)";
        return Answer::No;
    }
};

LoggingDialogService g_default;
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
