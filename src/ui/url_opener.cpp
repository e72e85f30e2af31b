#include "ui/url_opener.h"

#include <QDesktopServices>

namespace tervix::ui {

namespace {
class DesktopUrlOpener : public UrlOpener
{
public:
    bool open(const QUrl &url) override { return QDesktopServices::openUrl(url); }
};

DesktopUrlOpener g_default;
UrlOpener *g_current = &g_default;
} // namespace

UrlOpener &UrlOpener::instance()
{
    return *g_current;
}

void UrlOpener::install(UrlOpener *opener)
{
    g_current = opener ? opener : &g_default;
}

} // namespace tervix::ui
