#pragma once

#include "app/app_options.h"

#include <QObject>

#include <memory>

namespace tervix::accounts {
class AccountsWindow;
}

namespace tervix::app {

class MainWindow;
class TypedCommandsWindow;
class DebugLogWindow;

// Creates every window of the console in its fixed order and wires them
// together. The windows live as long as this object.
class Application : public QObject
{
    Q_OBJECT
public:
    explicit Application(const AppOptions &options, QObject *parent = nullptr);
    ~Application() override;

    MainWindow &main() { return *m_mainWindow; }
    TypedCommandsWindow &typedCommands() { return *m_typedCommandsWindow; }
    accounts::AccountsWindow &accounts() { return *m_accountsWindow; }
    DebugLogWindow &debug() { return *m_debugLogWindow; }

    // Shows the main window maximised and, with --connect, presses "Polacz".
    void start(bool maximised = true);

private:
    // Closes every window and leaves the event loop.
    void endProgram();

    AppOptions m_options;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<TypedCommandsWindow> m_typedCommandsWindow;
    std::unique_ptr<accounts::AccountsWindow> m_accountsWindow;
    std::unique_ptr<DebugLogWindow> m_debugLogWindow;
};

} // namespace tervix::app
