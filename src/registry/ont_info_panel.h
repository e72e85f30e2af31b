#pragma once

#include "registry/ont_info_controller.h"

#include <QGroupBox>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace tervix::registry {

// "Diagnoza koncowki": what a run of the ONT information controller found
// about one ONT. It floats over the main window (the operator drags it by
// its body and hides it with " [X]"), or sits in a window of its own when
// the all-ONT view asks. Reboot and the signal chart belong to other parts
// of the console: their buttons work once a handler is set.
class OntInfoPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit OntInfoPanel(OntInfoController &controller, QWidget *parent = nullptr);

    void setRebootHandler(std::function<void(const OntInfoController::Target &)> handler);
    void setChartHandler(std::function<void(const QString &key, const QString &title)> handler);

    // The chart's key of the ONT shown: frame.slot.port.id.
    QString chartKey() const;

    QLabel *frameLabel = nullptr;
    QLabel *slotLabel = nullptr;
    QLabel *portLabel = nullptr;
    QLabel *idLabel = nullptr;
    QLabel *ponTypeLabel = nullptr;
    QLabel *nameLabel = nullptr;      // "[ name ]"
    QLabel *stateLabel = nullptr;     // "online!" / "offline!"
    QLabel *stateImage = nullptr;
    QLabel *uptimeLabel = nullptr;
    QLabel *lastUpLabel = nullptr;
    QLabel *lastDownLabel = nullptr;
    QLabel *downCauseLabel = nullptr;
    QLabel *distanceLabel = nullptr;
    QLabel *ontRxLabel = nullptr;
    QLabel *ontTxLabel = nullptr;
    QLabel *oltRxLabel = nullptr;
    QLabel *biasLabel = nullptr;
    QLabel *temperatureLabel = nullptr;
    QProgressBar *ontRxGauge = nullptr;
    QProgressBar *ontTxGauge = nullptr;
    QProgressBar *oltRxGauge = nullptr;
    QProgressBar *temperatureGauge = nullptr;
    QProgressBar *progressGauge = nullptr;
    QTreeWidget *servicePortsView = nullptr; // state, "srvP", "Vlan"
    QTreeWidget *macsView = nullptr;         // "VLAN", "MAC"
    QLabel *macCountLabel = nullptr;
    QLabel *errorLabel = nullptr;            // why the last run ended without its levels
    QPushButton *rebootButton = nullptr;     // "Reboot koncowki"
    QPushButton *refreshButton = nullptr;    // "Odswiez"
    QPushButton *chartButton = nullptr;      // "Wykres / Chart Signal"
    QPushButton *hideButton = nullptr;       // " [X]"

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void showTarget(const OntInfoController::Target &target);
    void resetValues();
    void showInfo(const core::OntInfo &info);
    void showDiagnosis(const core::OntDiagnosis &d);
    static void setGauge(QProgressBar *gauge, const QString &level);

    OntInfoController &m_controller;
    std::function<void(const OntInfoController::Target &)> m_reboot;
    std::function<void(const QString &, const QString &)> m_chart;
    QPoint m_dragOffset;
};

} // namespace tervix::registry
