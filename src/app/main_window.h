#pragma once

#include "app/olt_login_controller.h"
#include "core/terminal_text.h"

#include <QMainWindow>

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class QVBoxLayout;

namespace tervix::session {
class OltSession;
class StepEngine;
class TraceLog;
} // namespace tervix::session

namespace tervix::provisioning {
class AddOntForm;
class ProvisioningWiring;
class UnauthorisedTab;
} // namespace tervix::provisioning

namespace tervix::registry {
class OntInfoController;
class OntInfoPanel;
class OntList;
class OntListPanel;
class ImportController;
class ImportWindow;
class SearchBox;
class SaveReminderGuard;
class TemplatesController;
} // namespace tervix::registry

namespace tervix::signal {
class AllOntWindow;
class CriticalSignalWindow;
class OltPictureController;
class OltViewPanel;
class OltViewWindow;
class ScanController;
class ScanWindow;
class SignalChartWindow;
class SignalCountsController;
} // namespace tervix::signal

namespace tervix::app {

class TypedCommandsWindow;

// The main window: the connection bar and the add/edit group at the top, the
// unauthorised-ONT tab beside it, the OLT picture strip, the authorised-ONT
// list, and the output memo at the bottom. It owns the main OLT session and
// engine; the subsystems fill the regions laid out here.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(const QString &appDir, QWidget *parent = nullptr);
    ~MainWindow() override;

    session::OltSession &session() { return *m_session; }
    session::StepEngine &engine() { return *m_engine; }
    session::TraceLog &trace() { return *m_trace; }
    OltLoginController &login() { return *m_login; }
    registry::OntList &ontList() { return *m_ontList; }
    registry::OntListPanel &ontListPanel() { return *m_ontListPanel; }
    registry::SaveReminderGuard &saveGuard() { return *m_saveGuard; }
    provisioning::ProvisioningWiring &provisioning() { return *m_provisioning; }
    provisioning::AddOntForm &addForm() { return *m_addForm; }
    provisioning::UnauthorisedTab &unauthorisedTab() { return *m_unauthorised; }
    registry::OntInfoController &ontInfo() { return *m_ontInfo; }
    registry::OntInfoPanel &ontInfoPanel() { return *m_ontInfoPanel; }
    registry::TemplatesController &templates() { return *m_templates; }
    signal::ScanController &scanner() { return *m_scanner; }
    signal::SignalCountsController &signalCounts() { return *m_signalCounts; }
    signal::ScanWindow &scanWindow() { return *m_scanWindow; }
    signal::CriticalSignalWindow &criticalWindow() { return *m_criticalWindow; }
    signal::CriticalSignalWindow &portCriticalWindow() { return *m_portCriticalWindow; }
    signal::OltPictureController &oltPicture() { return *m_oltPicture; }
    signal::OltViewPanel &oltViewPanel() { return *m_oltViewPanel; }
    signal::OltViewWindow &oltViewWindow() { return *m_oltViewWindow; }
    signal::AllOntWindow &allOntWindow() { return *m_allOntWindow; }
    registry::ImportController &importer() { return *m_importer; }
    registry::ImportWindow &importWindow() { return *m_importWindow; }
    // "[IMPORT DANYCH] Pobierz automatycznie info o onu!"
    void showImportWindow();
    registry::SearchBox &searchBox() { return *m_searchBox; }
    // The slot report: every listed ONT by frame/slot/port in "tervix_ont.html"
    // of the data folder, opened with the system's handler. False (and a box)
    // when it could not be written or opened.
    bool writeSlotReport();
    // "/": the OLT picture into its own window, or back (only with a working session).
    void toggleOltViewDocking();
    // The program ends: windows that refuse to close on their own let go.
    void releaseWindowsForExit();
    // "Diagnostyka ont / Diagnose all": the scanning window, once the working
    // session is ready and the OLT is known.
    void showScanWindow();

    // "Diagnozuj / Info / Reboot" for a row of the list: a run for that ONT,
    // its panel over this window, or in a window of its own when the all-ONT
    // view asks.
    void showOntInfo(int row, bool inOwnWindow = false);
    // The signal chart of ONT key "F.S.P.ID" from the connected OLT's history
    // files, titled with `title`; nothing opens when the ONT has no history.
    void showSignalChart(const QString &ontKey, const QString &title);
    signal::SignalChartWindow *signalChartWindow() const { return m_chartWindow; }

    void setTypedCommandsWindow(TypedCommandsWindow *w);
    void setAccountWindowOpener(std::function<void()> open);

    // connectToOlt with what the connection fields hold.
    void connectToOlt();
    LoginCredentials credentials() const;
    // 100 after an OLT reboot: closing then asks nothing.
    int tag() const { return m_tag; }
    void setTag(int t) { m_tag = t; }

    // Regions the subsystems fill.
    QVBoxLayout *addFormArea() const { return m_addFormArea; }
    QTabWidget *unauthorisedPages() const { return m_unauthorisedPages; }
    QVBoxLayout *optionsArea() const { return m_optionsArea; }

    QGroupBox *editGroup = nullptr;
    QComboBox *addressField = nullptr;
    QLineEdit *loginField = nullptr;
    QLineEdit *passwordField = nullptr;
    QCheckBox *safeModeCheck = nullptr;
    QPushButton *connectButton = nullptr;
    QPushButton *siblingButton = nullptr;
    QGroupBox *oltView = nullptr;
    registry::OntListPanel *ontListGroup = nullptr;
    QTabWidget *bottomPages = nullptr;
    QPlainTextEdit *outputMemo = nullptr;
    QPushButton *nextPageButton = nullptr; // "Przesun liste"
    QPushButton *diagnoseAllButton = nullptr; // "Diagnostyka ont / Diagnose all"
    QPushButton *importButton = nullptr;      // "[IMPORT DANYCH] Pobierz automatycznie info o onu!"

Q_SIGNALS:
    // The operator's close was accepted: the program ends, whatever other
    // windows are still open.
    void closeAccepted();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildLayout();
    void wireSession();
    void setCaptionHost(const QString &host);
    void wireOntList();
    void wireProvisioning();
    void wireOntInfo();
    void wireTemplates();
    void wireScanning();
    void wireOltPicture();
    void wireImport();
    void wireSearchAndReport();

    std::unique_ptr<session::TraceLog> m_trace;
    std::unique_ptr<session::OltSession> m_session;
    core::TerminalTextFilter m_memoFilter; // outputMemo shows the buffer through it
    std::unique_ptr<session::StepEngine> m_engine;
    std::unique_ptr<OltLoginController> m_login;
    std::unique_ptr<registry::OntList> m_ontList;
    registry::OntListPanel *m_ontListPanel = nullptr;
    std::unique_ptr<registry::SaveReminderGuard> m_saveGuard;
    provisioning::UnauthorisedTab *m_unauthorised = nullptr;
    provisioning::AddOntForm *m_addForm = nullptr;
    std::unique_ptr<provisioning::ProvisioningWiring> m_provisioning;
    std::unique_ptr<registry::OntInfoController> m_ontInfo;
    registry::OntInfoPanel *m_ontInfoPanel = nullptr;
    std::unique_ptr<registry::TemplatesController> m_templates;
    QWidget *m_ontInfoWindow = nullptr; // hosts the panel for the all-ONT view
    signal::SignalChartWindow *m_chartWindow = nullptr; // made on first use
    std::unique_ptr<signal::ScanController> m_scanner;
    std::unique_ptr<signal::SignalCountsController> m_signalCounts;
    signal::ScanWindow *m_scanWindow = nullptr;        // made at start, shown on demand
    signal::CriticalSignalWindow *m_criticalWindow = nullptr;      // every critical ONT
    signal::CriticalSignalWindow *m_portCriticalWindow = nullptr;  // the critical ONTs of one port
    std::unique_ptr<signal::OltPictureController> m_oltPicture;
    signal::OltViewPanel *m_oltViewPanel = nullptr;
    signal::OltViewWindow *m_oltViewWindow = nullptr;
    signal::AllOntWindow *m_allOntWindow = nullptr;
    QSplitter *m_split = nullptr;
    std::unique_ptr<registry::ImportController> m_importer;
    registry::SearchBox *m_searchBox = nullptr;
    registry::ImportWindow *m_importWindow = nullptr;
    QPoint m_ontInfoPosition{4, 4};
    QVBoxLayout *m_quickButtons = nullptr;
    bool m_shownOnce = false;
    TypedCommandsWindow *m_typed = nullptr;
    int m_tag = 0;
    QString m_captionBase;
    QVBoxLayout *m_addFormArea = nullptr;
    QTabWidget *m_unauthorisedPages = nullptr;
    QVBoxLayout *m_optionsArea = nullptr;
};

} // namespace tervix::app
