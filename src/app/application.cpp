#include "app/application.h"

#include "app/tanc1.h"
#include "app/tanc2.h"
#include "app/tanc23.h"
#include "app/version.h"
#include "ontconfig/tanc8.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

namespace tervix::app {

Application::Application(const AppOptions &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
{
    m_tanc1 = std::make_unique<Tanc1>(options.dataDir);
    m_tanc2 = std::make_unique<Tanc2>();
    m_tanc1->setTypedCommandsWindow(m_tanc2.get());
    Tanc1 *main = m_tanc1.get();
    m_tanc8 = std::make_unique<ontconfig::Tanc8>(
        [main] { return main->credentials(); },
        [main](const QString &name, const QString &password) {
            main->a_login->setText(name);
            main->a_haslo->setText(password);
            main->bt_polaczClick();
        });
    m_tanc1->setAccountWindowOpener([this] {
        m_tanc8->show();
        m_tanc8->raise();
    });
    m_tanc23 = std::make_unique<Tanc23>(m_tanc1->trace(), QString::fromLatin1(kVersion));

    if (!options.host.isEmpty())
        m_tanc1->a_ip->setEditText(options.host);
    if (options.loginGiven)
        m_tanc1->a_login->setText(options.login);
    if (options.passwordGiven)
        m_tanc1->a_haslo->setText(options.password);
}

Application::~Application()
{
    // Secondary windows first: they refer to the main window.
    m_tanc23.reset();
    m_tanc8.reset();
    m_tanc2.reset();
    m_tanc1.reset();
}

void Application::start(bool maximised)
{
    if (maximised)
        m_tanc1->showMaximized();
    else
        m_tanc1->show();
    if (m_options.connect)
        QTimer::singleShot(0, m_tanc1.get(), [this] { m_tanc1->bt_polaczClick(); });
}

} // namespace tervix::app
