#include "app/application.h"
#include "ui/message_box_dialog_service.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tervix"));
    const tervix::app::AppOptions options =
        tervix::app::parseAppOptions(QApplication::arguments(), QApplication::applicationDirPath());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(options.error));
        return 2;
    }
    tervix::ui::MessageBoxDialogService boxes;
    tervix::ui::DialogService::install(&boxes);
    tervix::app::Application app(options);
    app.start();
    return QApplication::exec();
}
