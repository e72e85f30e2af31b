#include "session/login_sequence.h"

#include "core/timing.h"
#include "session/olt_session.h"

namespace tervix::session {

using core::PacedLine;

LoginPacing LoginPacing::mainSession(bool safeMode)
{
    return {safeMode, timing::kLoginPreWaitMs, timing::kLoginLineGapMs, true};
}

LoginPacing LoginPacing::closingSave()
{
    // The program is ending: the slow wait always, whatever the operator chose.
    return {true, timing::kLoginPreWaitMs, timing::kStepPreWaitMs, true};
}

LoginPacing LoginPacing::accountDialogue(bool safeMode)
{
    return {safeMode, timing::kLoginPreWaitMs, timing::kAccountLoginGapMs, false};
}

LoginPacing LoginPacing::sshForExistingUser()
{
    return {false, timing::kAccountLoginGapMs, timing::kAccountLoginGapMs, false};
}

void enqueueLogin(OltSession &session, const LoginCredentials &credentials, const LoginPacing &pacing,
                  std::function<void()> afterPassword)
{
    CommandPacer &pacer = session.pacer();
    if (pacing.safeModeWait)
        pacer.enqueueWait(timing::kSafeModeWaitMs);
    pacer.enqueue({PacedLine::wait(pacing.waitBeforeMs),
                   PacedLine::send(credentials.login, pacing.gapAfterUserMs, pacing.clearsBuffer),
                   PacedLine::send(credentials.password, 0, pacing.clearsBuffer)});
    if (afterPassword)
        pacer.enqueueAction(std::move(afterPassword));
}

QStringList terminalPreparation(int idleTimeoutMinutes)
{
    return {QStringLiteral("enable"), QStringLiteral("undo smart"),
            QStringLiteral("idle-timeout %1").arg(idleTimeoutMinutes), QStringLiteral("scroll 512"),
            QStringLiteral("config")};
}

} // namespace tervix::session
