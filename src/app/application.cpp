#include "app/application.h"

#include "app/main_window.h"
#include "app/typed_commands_window.h"
#include "app/debug_log_window.h"
#include "app/version.h"
#include "accounts/accounts_window.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

namespace tervix::app {

Application::Application(const AppOptions &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
{
    m_mainWindow = std::make_unique<MainWindow>(options.dataDir);
    m_typedCommandsWindow = std::make_unique<TypedCommandsWindow>();
    m_mainWindow->setTypedCommandsWindow(m_typedCommandsWindow.get());
    MainWindow *main = m_mainWindow.get();
    m_accountsWindow = std::make_unique<accounts::AccountsWindow>(
        [main] { return main->credentials(); },
        [main](const QString &name, const QString &password) {
            main->loginField->setText(name);
            main->passwordField->setText(password);
            main->connectToOlt();
        });
    m_mainWindow->setAccountWindowOpener([this] {
        m_accountsWindow->show();
        m_accountsWindow->raise();
    });
    m_debugLogWindow = std::make_unique<DebugLogWindow>(m_mainWindow->trace(), QString::fromLatin1(kVersion));
    // The other windows would keep the program running behind a closed main
    // window, and an account created later would log the hidden one in.
    connect(m_mainWindow.get(), &MainWindow::closeAccepted, this, &Application::endProgram);
    m_mainWindow->login().setTerminate([this] { endProgram(); });

    if (!options.host.isEmpty())
        m_mainWindow->addressField->setEditText(options.host);
    if (options.loginGiven)
        m_mainWindow->loginField->setText(options.login);
    if (options.passwordGiven)
        m_mainWindow->passwordField->setText(options.password);
}

Application::~Application()
{
    // Secondary windows first: they refer to the main window.
    m_debugLogWindow.reset();
    m_accountsWindow.reset();
    m_typedCommandsWindow.reset();
    m_mainWindow.reset();
}

void Application::endProgram()
{
    m_accountsWindow->close();
    m_typedCommandsWindow->close();
    m_debugLogWindow->close();
    m_mainWindow->releaseWindowsForExit();
    m_mainWindow->hide();
    QCoreApplication::quit();
}

void Application::start(bool maximised)
{
    if (maximised)
        m_mainWindow->showMaximized();
    else
        m_mainWindow->show();
    if (m_options.connect)
        QTimer::singleShot(0, m_mainWindow.get(), [this] { m_mainWindow->connectToOlt(); });
}

} // namespace tervix::app
