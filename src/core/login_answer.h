#pragma once

#include <QString>

namespace tervix::core {

// The OLT's answer to a user name and password, read before anything else is
// typed on the line. A refused login is told by its text: "Username or
// password invalid." for a wrong password, and "Reenter times have reached the
// upper limit." when the account already has all the sessions it may open (the
// console opens several with one account). After either the OLT asks for a
// user name again and may hang up.
//
// Returns the OLT's line that refused the login, trimmed, or an empty string
// when the answer holds no refusal.
QString loginRefusal(const QString &answer);

// Whether the OLT took "save": its echo came back (after its prompt, or alone
// once the line's clearing cut the prompt away) and the answer after it tells
// of saving and is no refusal. Anything else (no echo, a refusal, a line cut
// before the answer) is not a save.
bool saveConfirmed(const QString &memo);

} // namespace tervix::core
