#pragma once

#include <QWidget>

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;

namespace tervix::signal {

class CriticalRowsModel;
class ScanController;
class ScanListModel;

// "Diagnoza ONT / Diagnose ONT": what the signal scanner is doing (the ONT
// being read, how far the pass is, the text exchanged for it), its scan list
// and the pass's critical readings, and the operator's settings of the
// scanner. Everything shown is the controller's; every control only forwards.
class ScanWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ScanWindow(ScanController &controller, QWidget *parent = nullptr);

    // "Scan from / Skanuj od" on the selected scan-list row; nothing without one.
    void scanFromSelected();
    // The selected scan-list row, -1 when none is.
    int selectedScanRow() const;

    // The ONT being read: type, frame, slot, port, id.
    std::array<QLineEdit *, 5> currentEdits{};
    QSpinBox *positionBox = nullptr;
    QProgressBar *progressBar = nullptr;
    QPushButton *refreshButton = nullptr; // "Odswiez/Refresh all"
    QTableView *scanView = nullptr;
    QMenu *scanMenu = nullptr;
    QAction *scanFromAction = nullptr;    // "Scan from / Skanuj od"
    QTableView *criticalView = nullptr;
    QLabel *criticalCountLabel = nullptr; // ":" + count
    QSpinBox *ontThresholdBox = nullptr;  // "ONT RX"
    QSpinBox *oltThresholdBox = nullptr;  // "OLT RX"
    QCheckBox *fastStatusBox = nullptr;   // "(Beta) Status Fast Scan"
    QComboBox *modeChooser = nullptr;     // whole port / one ONT at a time
    QPlainTextEdit *memo = nullptr;
    QLabel *statusLabel = nullptr;
    QLabel *timeLabel = nullptr;
    // Hidden until "y" is pressed six times in the scan list.
    QPushButton *debugButton = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildCurrentRow();
    QWidget *buildSettings();
    void showCurrent();
    void showPosition(int position, int maximum);
    void showStatus(const QString &text, bool refused);
    void showLoginRefused(const QString &reason);
    void showDiagnostics();

    ScanController &m_controller;
    ScanListModel *m_scanModel = nullptr;
    CriticalRowsModel *m_criticalModel = nullptr;
    int m_debugKeys = 0;
};

} // namespace tervix::signal
