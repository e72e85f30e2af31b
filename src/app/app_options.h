#pragma once

#include <QString>
#include <QStringList>

namespace tervix::app {

// Operators' shortcuts and scripted runs:
//   --data-dir DIR   where the .ph files live (default: the program's folder, or TERVIX_DATA_DIR)
//   --host ADDR      OLT address ("host" or "host:port")
//   --login USER, --password PASS
//   --connect        press "Polacz" once the window is shown
struct AppOptions
{
    QString dataDir;
    QString host;
    QString login;
    QString password;
    bool connect = false;
    bool loginGiven = false;
    bool passwordGiven = false;
    QString error; // set when the arguments could not be understood
};

AppOptions parseAppOptions(const QStringList &arguments, const QString &programDir);

} // namespace tervix::app
