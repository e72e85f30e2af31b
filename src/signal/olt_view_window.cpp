#include "signal/olt_view_window.h"

#include "signal/olt_view_panel.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace tervix::signal {

OltViewWindow::OltViewWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("oltViewWindow"));
    setWindowTitle(QStringLiteral("OLT"));
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setAlignment(Qt::AlignTop);
    setFixedWidth(kClientWidth);
    resize(kClientWidth, 60);
}

void OltViewWindow::host(OltViewPanel *panel)
{
    if (!panel || panel == m_panel)
        return;
    if (m_panel)
        release();
    m_panel = panel;
    m_layout->addWidget(panel);
    panel->show();
    connect(panel, &OltViewPanel::heightLimitChanged, this, &OltViewWindow::fitHeight);
    fitHeight(panel->maximumHeight());
    if (!isVisible()) {
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
    }
    show();
    raise();
}

OltViewPanel *OltViewWindow::release()
{
    OltViewPanel *panel = m_panel;
    if (!panel)
        return nullptr;
    disconnect(panel, &OltViewPanel::heightLimitChanged, this, &OltViewWindow::fitHeight);
    m_layout->removeWidget(panel);
    panel->setParent(nullptr);
    m_panel = nullptr;
    hide();
    return panel;
}

void OltViewWindow::fitHeight(int panelHeight)
{
    resize(kClientWidth, qBound(1, panelHeight, kMostHeight));
}

void OltViewWindow::closeEvent(QCloseEvent *event)
{
    if (m_panel && !m_closingAllowed) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

} // namespace tervix::signal
