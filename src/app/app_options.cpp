#include "app/app_options.h"

#include <QCommandLineParser>
#include <QDir>

namespace tervix::app {

AppOptions parseAppOptions(const QStringList &arguments, const QString &programDir)
{
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Tervix - Huawei OLT console"));
    p.addHelpOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QStringLiteral("Folder of the console's files."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption host(QStringLiteral("host"), QStringLiteral("OLT address (host or host:port)."),
                                  QStringLiteral("ADDR"));
    const QCommandLineOption login(QStringLiteral("login"), QStringLiteral("OLT user name."), QStringLiteral("USER"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("OLT password."),
                                      QStringLiteral("PASS"));
    const QCommandLineOption connect(QStringLiteral("connect"), QStringLiteral("Connect once the window is shown."));
    p.addOptions({dataDir, host, login, password, connect});

    AppOptions o;
    if (!p.parse(arguments)) {
        o.error = p.errorText();
        return o;
    }
    QString dir = p.value(dataDir);
    if (dir.isEmpty())
        dir = qEnvironmentVariable("TERVIX_DATA_DIR");
    if (dir.isEmpty())
        dir = programDir;
    // Exactly one separator at the end: file names are appended to it, and a
    // folder typed with its trailing slash (as shells complete it) would
    // otherwise end in two.
    o.dataDir = QDir::cleanPath(QDir(dir).absolutePath());
    if (!o.dataDir.endsWith(QLatin1Char('/')))
        o.dataDir += QLatin1Char('/');
    o.host = p.value(host);
    o.login = p.value(login);
    o.loginGiven = p.isSet(login);
    o.password = p.value(password);
    o.passwordGiven = p.isSet(password);
    o.connect = p.isSet(connect);
    return o;
}

} // namespace tervix::app
