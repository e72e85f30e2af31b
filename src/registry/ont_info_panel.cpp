#include "registry/ont_info_panel.h"

#include "ui/ont_list_images.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tervix::registry {

namespace {
constexpr int kLevelMin = -36;
constexpr int kLevelMax = 8;
constexpr int kTemperatureMin = 20;
constexpr int kTemperatureMax = 110;
constexpr int kOnlineImage = 2;
constexpr int kOfflineImage = 3;
const QString kUnknown = QStringLiteral("?");

QProgressBar *gauge(int min, int max, QWidget *parent)
{
    auto *g = new QProgressBar(parent);
    g->setRange(min, max);
    g->setValue(min);
    g->setTextVisible(false);
    g->setMaximumHeight(12);
    return g;
}

QLabel *value(QWidget *parent)
{
    auto *l = new QLabel(kUnknown, parent);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}
} // namespace

OntInfoPanel::OntInfoPanel(OntInfoController &controller, QWidget *parent)
    : QGroupBox(QStringLiteral("Diagnoza koncowki"), parent)
    , m_controller(controller)
{
    setObjectName(QStringLiteral("ontInfoPanel"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(219, 237, 255));
    setPalette(p);

    auto *column = new QVBoxLayout(this);
    auto *head = new QHBoxLayout;
    frameLabel = new QLabel(this);
    slotLabel = new QLabel(this);
    portLabel = new QLabel(this);
    idLabel = new QLabel(this);
    ponTypeLabel = new QLabel(this);
    nameLabel = new QLabel(this);
    stateImage = new QLabel(this);
    stateLabel = value(this);
    hideButton = new QPushButton(QStringLiteral(" [X]"), this);
    hideButton->setFlat(true);
    for (QWidget *w : {static_cast<QWidget *>(ponTypeLabel), static_cast<QWidget *>(frameLabel),
                       static_cast<QWidget *>(slotLabel), static_cast<QWidget *>(portLabel),
                       static_cast<QWidget *>(idLabel), static_cast<QWidget *>(nameLabel),
                       static_cast<QWidget *>(stateImage), static_cast<QWidget *>(stateLabel)})
        head->addWidget(w);
    head->addStretch();
    head->addWidget(hideButton);
    column->addLayout(head);

    auto *grid = new QGridLayout;
    int row = 0;
    auto add = [&](const QString &caption, QLabel *&label, QProgressBar *g = nullptr) {
        label = value(this);
        grid->addWidget(new QLabel(caption, this), row, 0);
        grid->addWidget(label, row, 1);
        if (g)
            grid->addWidget(g, row, 2);
        ++row;
    };
    add(QStringLiteral("Uptime"), uptimeLabel);
    add(QStringLiteral("On:"), lastUpLabel);
    add(QStringLiteral("Off:"), lastDownLabel);
    add(QStringLiteral("Powód: "), downCauseLabel);
    add(QStringLiteral("Odlegly:"), distanceLabel);
    ontRxGauge = gauge(kLevelMin, kLevelMax, this);
    ontTxGauge = gauge(kLevelMin, kLevelMax, this);
    oltRxGauge = gauge(kLevelMin, kLevelMax, this);
    temperatureGauge = gauge(kTemperatureMin, kTemperatureMax, this);
    add(QStringLiteral("ONT RX"), ontRxLabel, ontRxGauge);
    add(QStringLiteral("ONT TX"), ontTxLabel, ontTxGauge);
    add(QStringLiteral("OLT RX"), oltRxLabel, oltRxGauge);
    add(QStringLiteral("LaserUsg"), biasLabel);
    add(QStringLiteral("Temp.:"), temperatureLabel, temperatureGauge);
    column->addLayout(grid);

    servicePortsView = new QTreeWidget(this);
    servicePortsView->setHeaderLabels({QStringLiteral("Stan"), QStringLiteral("srvP"), QStringLiteral("Vlan")});
    servicePortsView->setRootIsDecorated(false);
    servicePortsView->setMaximumHeight(90);
    column->addWidget(servicePortsView);
    macsView = new QTreeWidget(this);
    macsView->setHeaderLabels({QStringLiteral("VLAN"), QStringLiteral("MAC")});
    macsView->setRootIsDecorated(false);
    macsView->setMaximumHeight(90);
    column->addWidget(macsView);
    macCountLabel = value(this);
    column->addWidget(macCountLabel);
    errorLabel = new QLabel(this);
    errorLabel->setStyleSheet(QStringLiteral("color: #ff0000;"));
    errorLabel->setWordWrap(true);
    errorLabel->hide();
    column->addWidget(errorLabel);

    progressGauge = gauge(0, 4, this);
    column->addWidget(progressGauge);
    auto *buttons = new QHBoxLayout;
    rebootButton = new QPushButton(QStringLiteral("Reboot koncowki"), this);
    refreshButton = new QPushButton(QStringLiteral("Odswiez"), this);
    chartButton = new QPushButton(QStringLiteral("Wykres / Chart Signal"), this);
    rebootButton->setEnabled(false);
    chartButton->setEnabled(false);
    buttons->addWidget(rebootButton);
    buttons->addWidget(refreshButton);
    buttons->addWidget(chartButton);
    column->addLayout(buttons);

    connect(refreshButton, &QPushButton::clicked, &m_controller, &OntInfoController::refresh);
    connect(hideButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(rebootButton, &QPushButton::clicked, this, [this] {
        if (m_reboot)
            m_reboot(m_controller.target());
    });
    connect(chartButton, &QPushButton::clicked, this, [this] {
        if (m_chart)
            m_chart(chartKey(), nameLabel->text());
    });
    connect(&m_controller, &OntInfoController::started, this, &OntInfoPanel::showTarget);
    connect(&m_controller, &OntInfoController::refreshStarted, this, [this] {
        servicePortsView->clear();
        macsView->clear();
        errorLabel->hide();
    });
    connect(&m_controller, &OntInfoController::infoRead, this, &OntInfoPanel::showInfo);
    connect(&m_controller, &OntInfoController::diagnosisRead, this, &OntInfoPanel::showDiagnosis);
    connect(&m_controller, &OntInfoController::progressChanged, progressGauge, &QProgressBar::setValue);
    connect(&m_controller, &OntInfoController::refreshEnabledChanged, refreshButton, &QPushButton::setEnabled);
    connect(&m_controller, &OntInfoController::failed, this, [this](const QString &reason) {
        errorLabel->setText(reason);
        errorLabel->show();
    });
    hide();
}

void OntInfoPanel::setRebootHandler(std::function<void(const OntInfoController::Target &)> handler)
{
    m_reboot = std::move(handler);
    rebootButton->setEnabled(bool(m_reboot));
}

void OntInfoPanel::setChartHandler(std::function<void(const QString &, const QString &)> handler)
{
    m_chart = std::move(handler);
    chartButton->setEnabled(bool(m_chart));
}

QString OntInfoPanel::chartKey() const
{
    return frameLabel->text() + u'.' + slotLabel->text() + u'.' + portLabel->text() + u'.' + idLabel->text();
}

void OntInfoPanel::showTarget(const OntInfoController::Target &t)
{
    resetValues();
    frameLabel->setText(t.frame);
    slotLabel->setText(t.slot);
    portLabel->setText(t.port);
    idLabel->setText(t.id);
    ponTypeLabel->setText(t.ponType);
    nameLabel->setText(QStringLiteral("[ ") + t.name + QStringLiteral(" ]"));
    show();
    raise();
}

void OntInfoPanel::resetValues()
{
    stateImage->clear();
    rebootButton->setText(QStringLiteral("Reboot koncowki"));
    servicePortsView->clear();
    macsView->clear();
    errorLabel->hide();
    for (QLabel *l : {uptimeLabel, ontRxLabel, ontTxLabel, oltRxLabel, biasLabel, temperatureLabel, lastUpLabel,
                      lastDownLabel, downCauseLabel, distanceLabel, macCountLabel, stateLabel})
        l->setText(kUnknown);
    stateLabel->setStyleSheet(QString());
}

void OntInfoPanel::showInfo(const core::OntInfo &info)
{
    uptimeLabel->setText(info.onlineDuration);
    lastUpLabel->setText(info.lastUpTime);
    lastDownLabel->setText(info.lastDownTime);
    downCauseLabel->setText(info.lastDownCause);
    distanceLabel->setText(info.distance + QStringLiteral(" metr(ow)"));
    const bool online = info.runState.contains(QStringLiteral("online"));
    stateLabel->setText(online ? QStringLiteral("online!") : QStringLiteral("offline!"));
    stateLabel->setStyleSheet(online ? QStringLiteral("color: rgb(0,128,0);") : QStringLiteral("color: rgb(255,0,0);"));
    stateImage->setPixmap(ui::rowImageIcon(online ? kOnlineImage : kOfflineImage).pixmap(16, 16));
}

void OntInfoPanel::showDiagnosis(const core::OntDiagnosis &d)
{
    servicePortsView->clear();
    for (const core::OntServicePortRow &r : d.servicePorts) {
        auto *item = new QTreeWidgetItem(servicePortsView, {r.state, r.index, r.vlan});
        item->setIcon(0, ui::rowImageIcon(r.up ? kOnlineImage : kOfflineImage));
    }
    macsView->clear();
    for (const core::OntMacRow &m : d.macs)
        new QTreeWidgetItem(macsView, {m.vlan, m.mac});
    macCountLabel->setText(QString::number(macsView->topLevelItemCount()));
    const core::OntOptics &o = d.optics;
    ontRxLabel->setText(o.ontRx);
    ontTxLabel->setText(o.ontTx);
    oltRxLabel->setText(o.oltRx);
    biasLabel->setText(o.bias);
    temperatureLabel->setText(o.temperature);
    setGauge(ontRxGauge, o.ontRx);
    setGauge(ontTxGauge, o.ontTx);
    setGauge(oltRxGauge, o.oltRx);
    setGauge(temperatureGauge, o.temperature);
}

void OntInfoPanel::setGauge(QProgressBar *g, const QString &level)
{
    // No level (an ONT that is off) shows the gauge empty, not at 0 dBm.
    const std::optional<int> v = core::signalLevel(level);
    g->setValue(v ? std::clamp(*v, g->minimum(), g->maximum()) : g->minimum());
}

void OntInfoPanel::mousePressEvent(QMouseEvent *event)
{
    m_dragOffset = event->position().toPoint();
    QGroupBox::mousePressEvent(event);
}

void OntInfoPanel::mouseMoveEvent(QMouseEvent *event)
{
    // Dragged over the main window; inside a window of its own it stays put.
    if ((event->buttons() & Qt::LeftButton) && parentWidget() && !isWindow() && !parentWidget()->isWindow()) {
        move(mapToParent(event->position().toPoint() - m_dragOffset));
        return;
    }
    QGroupBox::mouseMoveEvent(event);
}

} // namespace tervix::registry
