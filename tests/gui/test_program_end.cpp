// Closing the main window ends the program whatever other windows are open.
#include "console_fixture.h"

#include "accounts/accounts_window.h"
#include "app/debug_log_window.h"
#include "app/typed_commands_window.h"

#include <QTest>

using namespace tervix;

namespace {

class ProgramEnd : public test::ConsoleFixture {};

TEST_F(ProgramEnd, AnAcceptedCloseClosesEveryOtherWindow)
{
    app::MainWindow &w = startConsole();
    app->accounts().show();
    app->typedCommands().show();
    app->debug().show();
    ASSERT_TRUE(app->accounts().isVisible());
    EXPECT_TRUE(w.close()); // not connected: nothing to ask
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(app->accounts().isVisible());
    EXPECT_FALSE(app->typedCommands().isVisible());
    EXPECT_FALSE(app->debug().isVisible());
}

} // namespace
