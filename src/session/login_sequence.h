#pragma once

#include "session/login_credentials.h"

#include <QStringList>

#include <functional>

namespace tervix::session {

class OltSession;

// Every connection the console opens to the OLT logs in the same way: a wait,
// the user name, a gap, the password. What differs is how long it waits and
// whether the two lines empty the receive buffer; those are named here, once.
struct LoginPacing
{
    bool safeModeWait = false;  // the operator's "safe mode": a longer wait before anything is typed
    int waitBeforeMs = 0;       // before the user name
    int gapAfterUserMs = 0;     // between the user name and the password
    bool clearsBuffer = false;  // both lines empty the receive buffer as they go out

    // The identification and working sessions of the main window.
    static LoginPacing mainSession(bool safeMode);
    // The fresh line that saves the configuration as the program closes.
    static LoginPacing closingSave();
    // The account window's line, creating an account or enabling SSH.
    static LoginPacing accountDialogue(bool safeMode);
    static LoginPacing sshForExistingUser();
};

// Queues the login on the session's pacer; afterPassword runs once the
// password has gone out (it arms the step that reads the OLT's answer).
void enqueueLogin(OltSession &session, const LoginCredentials &credentials, const LoginPacing &pacing,
                  std::function<void()> afterPassword);

// The lines that prepare a fresh terminal: privileged mode, no smart prompts,
// the given idle time-out, long pages, configuration mode.
QStringList terminalPreparation(int idleTimeoutMinutes);

} // namespace tervix::session
