#pragma once

#include "app/application.h"
#include "app/main_window.h"
#include "core/timing.h"
#include "ui/dialog_service.h"
#include "qt_printers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace tervix::test {

// The whole console, offscreen, on a temporary data folder, with scripted
// dialogs and the real logic run at a fraction of the production timings.
class ConsoleFixture : public ::testing::Test
{
protected:
    static constexpr double kScale = 0.1;

    void SetUp() override
    {
        timing::setScale(kScale);
        ui::DialogService::install(&dialogs);
        ASSERT_TRUE(dataDir.isValid());
    }
    void TearDown() override
    {
        app.reset();
        ui::DialogService::install(nullptr);
        timing::setScale(0);
    }

    app::MainWindow &startConsole(const QString &host = QString(), const QString &login = QString(),
                             const QString &password = QString())
    {
        app::AppOptions o;
        o.dataDir = dataDir.path() + QLatin1Char('/');
        o.host = host;
        o.login = login;
        o.loginGiven = !login.isEmpty();
        o.password = password;
        o.passwordGiven = !password.isEmpty();
        app = std::make_unique<app::Application>(o);
        app->main().login().setTerminate([this] { ++terminated; });
        app->start(false);
        return app->main();
    }

    ui::ScriptedDialogService dialogs;
    QTemporaryDir dataDir;
    std::unique_ptr<app::Application> app;
    int terminated = 0;
};

} // namespace tervix::test
