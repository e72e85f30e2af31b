#pragma once

#include "app/app_options.h"

#include <QObject>

#include <memory>

namespace tervix::ontconfig {
class Tanc8;
}

namespace tervix::app {

class Tanc1;
class Tanc2;
class Tanc23;

// Creates every window of the console in its fixed order and wires them
// together. The windows live as long as this object.
class Application : public QObject
{
    Q_OBJECT
public:
    explicit Application(const AppOptions &options, QObject *parent = nullptr);
    ~Application() override;

    Tanc1 &main() { return *m_tanc1; }
    Tanc2 &typedCommands() { return *m_tanc2; }
    ontconfig::Tanc8 &accounts() { return *m_tanc8; }
    Tanc23 &debug() { return *m_tanc23; }

    // Shows the main window maximised and, with --connect, presses "Polacz".
    void start(bool maximised = true);

private:
    AppOptions m_options;
    std::unique_ptr<Tanc1> m_tanc1;
    std::unique_ptr<Tanc2> m_tanc2;
    std::unique_ptr<ontconfig::Tanc8> m_tanc8;
    std::unique_ptr<Tanc23> m_tanc23;
};

} // namespace tervix::app
