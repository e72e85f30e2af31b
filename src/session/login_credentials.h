#pragma once

#include <QString>

namespace tervix::session {

// What the main window's connection fields hold: every connection to the OLT
// (the working session, and the extra ones of other windows) logs in with them.
struct LoginCredentials
{
    QString address;
    QString login;
    QString password;
    bool safeMode = true;
};

} // namespace tervix::session
