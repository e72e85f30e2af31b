#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tervix::session {
class OltSession;
class StepEngine;
class TraceLog;
} // namespace tervix::session

namespace tervix::registry {
class OntList;
}

namespace tervix::provisioning {

// What the provisioning controllers share: the main session and its engine,
// the authorised-ONT list, the trace, the parent of their boxes and the calls
// into the login. One context serves all of them, so hooks set after the
// controllers exist reach every one.
class ControllerContext
{
public:
    // Calls into the login. An unset hook is skipped (sessionReady unset reads as false).
    struct Hooks
    {
        std::function<bool()> sessionReady;
        std::function<void(bool)> setSessionReady; // false while the first listing runs
        std::function<void()> keepAlive;
        std::function<void()> refreshCaption;     // the list's caption counts a new row
    };

    ControllerContext(session::OltSession &session, session::StepEngine &engine, registry::OntList &list,
                      session::TraceLog *trace = nullptr);

    session::OltSession &session() const { return m_session; }
    session::StepEngine &engine() const { return m_engine; }
    registry::OntList &list() const { return m_list; }

    Hooks &hooks() { return m_hooks; }
    // The boxes open over this widget; it must outlive the controllers.
    void setDialogParent(QWidget *w) { m_dialogParent = w; }

    bool isReady() const;
    void setSessionReady(bool ready) const;
    void keepAlive() const;
    void refreshCaption() const;
    void trace(const QString &tag) const;
    void error(const QString &caption, const QString &text) const;
    void information(const QString &caption, const QString &text) const;
    // A Yes/No box; true for Yes.
    bool askYes(const QString &caption, const QString &text) const;
    // The box of an action that needs a working session.
    void notConnectedError() const;

private:
    session::OltSession &m_session;
    session::StepEngine &m_engine;
    registry::OntList &m_list;
    session::TraceLog *m_trace;
    QWidget *m_dialogParent = nullptr;
    Hooks m_hooks;
};

} // namespace tervix::provisioning
