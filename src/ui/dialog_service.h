#pragma once

#include <QString>
#include <QStringList>

#include <deque>

class QWidget;

namespace tervix::ui {

// Every modal box of the console goes through one service: the application
// shows real message boxes (MessageBoxDialogService, on the widget side), tests
// script the answers and record what was asked. This header needs no widgets,
// so the controllers can ask for a box without knowing how it is shown.
class DialogService
{
public:
    enum class Icon { Information, Warning, Error, Question };
    enum class Answer { Ok, Yes, No, Cancel };

    struct Shown
    {
        QString caption;
        QString text;
        Icon icon = Icon::Information;
    };

    virtual ~DialogService() = default;

    // A box with an OK button.
    virtual void message(QWidget *parent, const QString &caption, const QString &text, Icon icon) = 0;
    // A Yes/No question.
    virtual Answer question(QWidget *parent, const QString &caption, const QString &text) = 0;

    void error(QWidget *parent, const QString &caption, const QString &text)
    {
        message(parent, caption, text, Icon::Error);
    }

    // The service in use. The application installs the message boxes at
    // start-up; until then, and wherever nothing is installed, a box is only
    // logged and a question is answered No, so nothing ever waits on a box
    // nobody can see.
    static DialogService &instance();
    static void install(DialogService *service);
};

// Records every box and answers questions from a script (No once it runs out).
class ScriptedDialogService : public DialogService
{
public:
    void message(QWidget *parent, const QString &caption, const QString &text, Icon icon) override;
    Answer question(QWidget *parent, const QString &caption, const QString &text) override;

    void scriptAnswer(Answer a) { m_answers.push_back(a); }
    const QList<Shown> &shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

private:
    QList<Shown> m_shown;
    std::deque<Answer> m_answers;
};

} // namespace tervix::ui
