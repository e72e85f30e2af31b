#include "app/main_window.h"

#include "app/typed_commands_window.h"
#include "app/version.h"
#include "core/timing.h"
#include "provisioning/add_ont_form.h"
#include "provisioning/edit_ont_controller.h"
#include "provisioning/provisioning_wiring.h"
#include "provisioning/unauthorised_tab.h"
#include "core/slot_report.h"
#include "registry/import_controller.h"
#include "registry/import_window.h"
#include "registry/ont_data_store.h"
#include "registry/search_box.h"
#include "ui/url_opener.h"
#include "registry/ont_info_controller.h"
#include "registry/ont_info_panel.h"
#include "registry/ont_list.h"
#include "registry/ont_list_panel.h"
#include "registry/save_reminder_guard.h"
#include "registry/templates_controller.h"
#include "registry/templates_window.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "session/trace_log.h"
#include "signal/all_ont_window.h"
#include "signal/critical_signal_window.h"
#include "signal/olt_picture_controller.h"
#include "signal/olt_view_panel.h"
#include "signal/olt_view_window.h"
#include "signal/scan_controller.h"
#include "signal/scan_window.h"
#include "signal/signal_chart_window.h"
#include "signal/signal_counts_controller.h"
#include "signal/signal_history_store.h"

#include <QCheckBox>
#include <QDir>
#include <QUrl>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace tervix::app {

namespace {
const QString kDefaultOltAddress = QStringLiteral("192.168.100.1");
} // namespace

MainWindow::MainWindow(const QString &appDir, QWidget *parent)
    : QMainWindow(parent)
    , m_trace(std::make_unique<session::TraceLog>())
    , m_session(std::make_unique<session::OltSession>(timing::kQuietMs))
    , m_engine(std::make_unique<session::StepEngine>(*m_session, m_trace.get()))
{
    m_login = std::make_unique<OltLoginController>(*m_session, *m_engine, *m_trace, appDir);
    m_ontList = std::make_unique<registry::OntList>(m_trace.get());
    m_saveGuard = std::make_unique<registry::SaveReminderGuard>(*m_session, m_trace.get());
    m_login->setDialogParent(this);
    m_login->setLastIpItems({kDefaultOltAddress});
    m_captionBase = QString::fromLatin1(kCaptionPrefix) + QString::fromLatin1(kVersion);
    setWindowTitle(m_captionBase);
    buildLayout();
    wireSession();
    wireOntList();
    wireProvisioning();
    wireOntInfo();
    wireTemplates();
    wireScanning();
    wireOltPicture();
    wireImport();
    wireSearchAndReport();
    // The last addresses are loaded once the window exists.
    m_login->recordLastAddress(QString());
}

MainWindow::~MainWindow() = default;

void MainWindow::buildLayout()
{
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(4, 4, 4, 4);

    // Top panel: add/edit group with the connection bar; unauthorised ONTs beside it.
    auto *top = new QWidget(central);
    auto *topRow = new QHBoxLayout(top);
    topRow->setContentsMargins(0, 0, 0, 0);
    editGroup = new QGroupBox(QStringLiteral("Edycja  / dodawanie ONT !"), top);
    auto *edit = new QVBoxLayout(editGroup);
    auto *bar = new QHBoxLayout;
    addressField = new QComboBox(editGroup);
    addressField->setEditable(true);
    addressField->addItem(kDefaultOltAddress);
    addressField->setMinimumWidth(140);
    loginField = new QLineEdit(QStringLiteral("login"), editGroup);
    passwordField = new QLineEdit(editGroup);
    passwordField->setEchoMode(QLineEdit::Password);
    safeModeCheck = new QCheckBox(QStringLiteral("Safe Mode"), editGroup);
    safeModeCheck->setChecked(true);
    connectButton = new QPushButton(QStringLiteral("Polacz"), editGroup);
    siblingButton = new QPushButton(QStringLiteral("kvx"), editGroup);
    siblingButton->setMaximumWidth(36);
    bar->addWidget(addressField, 2);
    bar->addWidget(loginField, 1);
    bar->addWidget(passwordField, 1);
    bar->addWidget(safeModeCheck);
    bar->addWidget(connectButton);
    bar->addWidget(siblingButton);
    edit->addLayout(bar);
    m_addFormArea = new QVBoxLayout;
    edit->addLayout(m_addFormArea, 1);
    m_unauthorisedPages = new QTabWidget(top);
    topRow->addWidget(editGroup, 3);
    topRow->addWidget(m_unauthorisedPages, 2);

    // The OLT picture starts collapsed to its caption row.
    m_oltViewPanel = new signal::OltViewPanel(central);
    oltView = m_oltViewPanel;

    // The authorised-ONT list.
    m_ontListPanel = new registry::OntListPanel(*m_ontList, m_trace.get(), central);
    ontListGroup = m_ontListPanel;

    // Bottom: the output memo and options.
    bottomPages = new QTabWidget(central);
    auto *logPage = new QWidget(bottomPages);
    auto *logRow = new QHBoxLayout(logPage);
    outputMemo = new QPlainTextEdit(logPage);
    outputMemo->setReadOnly(true);
    outputMemo->setPlainText(QStringLiteral("Tervix %1 - gotowy / ready.").arg(QString::fromLatin1(kVersion)));
    outputMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    outputMemo->setFont(mono);
    auto *quick = new QVBoxLayout;
    m_quickButtons = quick;
    nextPageButton = new QPushButton(QStringLiteral("Przesun liste"), logPage);
    quick->addWidget(nextPageButton);
    diagnoseAllButton = new QPushButton(QStringLiteral("Diagnostyka ont / Diagnose all"), logPage);
    diagnoseAllButton->setObjectName(QStringLiteral("diagnoseAllButton"));
    quick->addWidget(diagnoseAllButton);
    importButton = new QPushButton(QStringLiteral("[IMPORT DANYCH] Pobierz automatycznie info o onu!"), logPage);
    importButton->setObjectName(QStringLiteral("importButton"));
    quick->addWidget(importButton);
    quick->addStretch();
    logRow->addWidget(outputMemo, 1);
    logRow->addLayout(quick);
    bottomPages->addTab(logPage, QStringLiteral("Szybki log"));
    auto *options = new QWidget(bottomPages);
    m_optionsArea = new QVBoxLayout(options);
    m_optionsArea->addStretch();
    bottomPages->addTab(options, QStringLiteral("Dodatkowe Opcje"));

    auto *split = new QSplitter(Qt::Vertical, central);
    m_split = split;
    split->addWidget(top);
    split->addWidget(oltView);
    split->addWidget(ontListGroup);
    split->addWidget(bottomPages);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 0);
    split->setStretchFactor(2, 5);
    split->setStretchFactor(3, 2);
    column->addWidget(split, 1);
    setCentralWidget(central);
}

void MainWindow::wireSession()
{
    connect(m_session.get(), &session::OltSession::textAppended, this, [this](const QString &t) {
        QScrollBar *sb = outputMemo->verticalScrollBar();
        const bool atEnd = sb->value() == sb->maximum();
        QTextCursor c(outputMemo->document());
        c.movePosition(QTextCursor::End);
        c.insertText(m_memoFilter.feed(t));
        if (atEnd)
            sb->setValue(sb->maximum());
    });
    connect(m_session.get(), &session::OltSession::bufferReplaced, this,
            [this](const QString &t) {
                m_memoFilter.reset();
                outputMemo->setPlainText(m_memoFilter.feed(t));
            });

    connect(connectButton, &QPushButton::clicked, this, &MainWindow::connectToOlt);
    // Enter in the password field connects, even while the button is disabled.
    connect(passwordField, &QLineEdit::returnPressed, this, &MainWindow::connectToOlt);
    connect(nextPageButton, &QPushButton::clicked, this,
            [this] { m_session->sendLine(QStringLiteral("\""), true); });

    connect(m_login.get(), &OltLoginController::connectEnabledChanged, connectButton, &QPushButton::setEnabled);
    connect(m_login.get(), &OltLoginController::captionHostChanged, this, &MainWindow::setCaptionHost);
    connect(m_login.get(), &OltLoginController::lastIpChanged, this,
            [this](const QStringList &items, const QString &current) {
                addressField->clear();
                addressField->addItems(items);
                addressField->setEditText(current);
            });
    connect(m_login.get(), &OltLoginController::typedCommandsCleared, this, [this] {
        if (m_typed)
            m_typed->memo->clear();
    });
}

void MainWindow::wireOntList()
{
    m_ontList->setDialogParent(this);
    const QString appDir = m_login->appDir();
    connect(m_login.get(), &OltLoginController::ontListLoadRequested, this,
            [this](const QString &dir, const QString &key) { m_ontListPanel->load(dir, key); });
    // The import window opens here once it exists; until then the operator is told.
    connect(m_ontListPanel, &registry::OntListPanel::importNeeded, this, [this] {
        m_session->appendLine(QStringLiteral("Lista ONT tego OLT jest pusta - zaimportuj ja z OLT. / "
                                             "This OLT's ONT list is empty: import it from the OLT."));
        showImportWindow();
    });
    connect(m_login.get(), &OltLoginController::statusPanelsResetRequested, m_ontListPanel,
            &registry::OntListPanel::resetCounters);
    connect(m_login.get(), &OltLoginController::columnWidthsSaveRequested, this,
            [this, appDir] { m_ontListPanel->saveColumnWidths(appDir); });

    registry::SaveReminderGuard *guard = m_saveGuard.get();
    connect(m_login.get(), &OltLoginController::saveGuardStopRequested, guard, &registry::SaveReminderGuard::stop);
    connect(m_login.get(), &OltLoginController::saveGuardStartRequested, guard, &registry::SaveReminderGuard::start);
    connect(m_login.get(), &OltLoginController::keepAliveRestarted, guard, &registry::SaveReminderGuard::start);
    connect(guard, &registry::SaveReminderGuard::keepAliveRequested, m_login.get(),
            &OltLoginController::keepAlive);
}

void MainWindow::wireProvisioning()
{
    m_unauthorised = new provisioning::UnauthorisedTab(m_unauthorisedPages);
    m_unauthorisedPages->addTab(m_unauthorised, QStringLiteral("Nieautoryzowane"));
    m_addForm = new provisioning::AddOntForm(editGroup);
    m_addFormArea->addWidget(m_addForm);
    m_quickButtons->insertWidget(1, m_addForm->proposeIdQuickButton);
    m_addForm->proposeIdQuickButton->show();
    m_optionsArea->insertWidget(0, m_addForm->servicePortGapsOption);
    m_addForm->servicePortGapsOption->show();

    m_provisioning = std::make_unique<provisioning::ProvisioningWiring>(*m_session, *m_engine, *m_ontList,
                                                                        *m_unauthorised, *m_addForm, m_trace.get());
    m_provisioning->setDialogParent(this);
    m_provisioning->connectLogin(*m_login);
    m_provisioning->hooks().refreshCaption = [this] { m_ontListPanel->refreshCaption(); };
}

void MainWindow::wireOntInfo()
{
    m_ontInfo = std::make_unique<registry::OntInfoController>(m_provisioning->context());
    m_ontInfoPanel = new registry::OntInfoPanel(*m_ontInfo, centralWidget());
    m_ontInfoPanel->adjustSize();
    m_ontListPanel->setMenuItem(registry::OntListPanel::Diagnose, QStringLiteral("Diagnozuj / Info / Reboot"), [this] {
        showOntInfo(m_ontListPanel->selectedAdvancedRow());
    });
    m_ontListPanel->setMenuItem(registry::OntListPanel::Chart, QStringLiteral("Wykres / Chart Signal"), [this] {
        if (!m_login->sessionReady()) {
            m_provisioning->context().notConnectedError();
            return;
        }
        const int row = m_ontListPanel->selectedAdvancedRow();
        if (!m_ontList->isValidRow(row))
            return;
        const core::OntRecord &r = m_ontList->record(row);
        showSignalChart(r.frame + u'.' + r.slot + u'.' + r.port + u'.' + r.ontId, u'[' + r.name + u']');
    });
    // The panel's own chart button works without a session: it only reads files.
    m_ontInfoPanel->setChartHandler([this](const QString &key, const QString &title) { showSignalChart(key, title); });

    provisioning::EditOntController &editing = m_provisioning->editing();
    m_ontListPanel->setMenuItem(registry::OntListPanel::Edit, QStringLiteral("Edytuj"), [this, &editing] {
        const int row = m_ontListPanel->selectedAdvancedRow();
        if (row >= 0)
            editing.editRow(row);
    });
    m_ontListPanel->setMenuItem(registry::OntListPanel::Delete, QStringLiteral("Usun"), [this, &editing] {
        const int row = m_ontListPanel->selectedAdvancedRow();
        if (row >= 0)
            editing.deleteRow(row);
    });
    // The panel's ONT, not the list's selection, is rebooted.
    m_ontInfoPanel->setRebootHandler([this, &editing](const registry::OntInfoController::Target &t) {
        // Not while the panel's information is still being gathered.
        if (m_ontInfo->running())
            return;
        if (!editing.reboot({t.ponType, t.frame, t.slot, t.port, t.id}))
            return;
        m_ontInfoPanel->rebootButton->setText(QStringLiteral("Wykonuje..."));
        m_ontInfoPanel->rebootButton->setEnabled(false);
    });
    connect(&editing, &provisioning::EditOntController::rebootFinished, this, [this](bool confirmed) {
        m_ontInfoPanel->rebootButton->setEnabled(true);
        m_ontInfoPanel->rebootButton->setText(confirmed ? QStringLiteral("[OK] Ponowic Reboot?")
                                                        : QStringLiteral("Reboot koncowki"));
    });
}

void MainWindow::wireTemplates()
{
    m_templates = std::make_unique<registry::TemplatesController>(m_trace.get());
    m_templates->setDialogParent(this);
    m_templates->setSessionReadyHook([this] { return m_login->sessionReady(); });
    // The templates belong to the OLT: they are read whenever its list is.
    connect(m_login.get(), &OltLoginController::ontListLoadRequested, m_templates.get(),
            &registry::TemplatesController::load);
    registry::connectAddForm(*m_templates, *m_addForm, this);
}

void MainWindow::wireScanning()
{
    m_scanner = std::make_unique<signal::ScanController>(*m_ontList, m_login->appDir(), m_trace.get());
    m_signalCounts = std::make_unique<signal::SignalCountsController>(*m_ontList);
    signal::ScanController::Hooks &hooks = m_scanner->hooks();
    hooks.sessionReady = [this] { return m_login->sessionReady(); };
    hooks.oltKey = [this] { return m_login->oltKey(); };
    hooks.credentials = [this] { return m_login->credentials(); };
    hooks.recount = [this] { m_signalCounts->recount(); };
    m_signalCounts->setReadyHook([this] { return m_login->sessionReady() && !m_login->oltKey().isEmpty(); });

    // The scanning window exists from the start and scans whether shown or not.
    m_scanWindow = new signal::ScanWindow(*m_scanner, this);
    m_scanWindow->setWindowFlag(Qt::Window);
    m_criticalWindow = new signal::CriticalSignalWindow(*m_ontList, this);
    m_criticalWindow->setWindowFlag(Qt::Window);

    connect(diagnoseAllButton, &QPushButton::clicked, this, &MainWindow::showScanWindow);
    connect(m_login.get(), &OltLoginController::workingSessionReady, this, [this] {
        m_signalCounts->stopBlinking();
        m_signalCounts->startPeriodic();
        m_scanner->afterWorkingLogin();
    });
    connect(m_scanner.get(), &signal::ScanController::passFinished, m_signalCounts.get(),
            &signal::SignalCountsController::passFinished);
    connect(m_signalCounts.get(), &signal::SignalCountsController::captionsChanged, this,
            [this](const core::SignalCaptions &c) {
                m_ontListPanel->showCounts(c.all, c.online, c.offline, c.bad, c.critical, c.disabled);
            });
    connect(m_signalCounts.get(), &signal::SignalCountsController::criticalColourChanged, m_ontListPanel,
            &registry::OntListPanel::setCriticalColour);
    connect(m_signalCounts.get(), &signal::SignalCountsController::criticalButtonVisible, this,
            [this](bool visible) { m_ontListPanel->criticalListButton->setVisible(visible); });
    connect(m_ontListPanel, &registry::OntListPanel::criticalListRequested, this, [this] {
        m_signalCounts->stopBlinking();
        m_criticalWindow->showCritical();
    });
}

void MainWindow::wireOltPicture()
{
    m_oltPicture = std::make_unique<signal::OltPictureController>(*m_ontList);
    m_oltViewWindow = new signal::OltViewWindow(this);
    m_oltViewWindow->setWindowFlag(Qt::Window);
    m_allOntWindow = new signal::AllOntWindow(*m_ontList, this);
    m_allOntWindow->setWindowFlag(Qt::Window);
    m_portCriticalWindow = new signal::CriticalSignalWindow(*m_ontList, this);
    m_portCriticalWindow->setWindowFlag(Qt::Window);

    connect(m_signalCounts.get(), &signal::SignalCountsController::portCountsChanged, m_oltPicture.get(),
            &signal::OltPictureController::applyCounts);
    connect(m_oltPicture.get(), &signal::OltPictureController::pictureChanged, m_oltViewPanel,
            &signal::OltViewPanel::setPicture);
    connect(m_oltPicture.get(), &signal::OltPictureController::outagesChanged, this,
            [this](const core::PortOutages &outages) {
                m_oltViewPanel->setOutages(outages);
                m_allOntWindow->setOutages(outages);
            });
    connect(m_oltViewPanel, &signal::OltViewPanel::allOntsRequested, m_allOntWindow,
            &signal::AllOntWindow::showPort);
    connect(m_oltViewPanel, &signal::OltViewPanel::portCriticalRequested, this,
            [this](int slot, int port) { m_portCriticalWindow->showPortCritical(QStringLiteral("0"), slot, port); });
    connect(m_oltViewPanel, &signal::OltViewPanel::undockRequested, this, &MainWindow::toggleOltViewDocking);
    // Expanding or collapsing the docked picture moves the splitter: the list
    // below gives or takes the difference.
    connect(m_oltViewPanel, &signal::OltViewPanel::heightLimitChanged, this, [this](int height) {
        if (m_oltViewWindow->hosted())
            return;
        QList<int> sizes = m_split->sizes();
        const int at = m_split->indexOf(m_oltViewPanel);
        if (at < 0 || at + 1 >= sizes.size())
            return;
        const int delta = std::min(height - sizes[at], std::max(0, sizes[at + 1] - 100));
        sizes[at] += delta;
        sizes[at + 1] -= delta;
        m_split->setSizes(sizes);
    });

    // The view's actions reach the row of the chosen ONT as the list holds it now.
    connect(m_allOntWindow, &signal::AllOntWindow::chartRequested, this, [this](int row) {
        const core::OntRecord &r = m_ontList->record(row);
        m_ontListPanel->selectAdvancedRow(row);
        showSignalChart(r.frame + u'.' + r.slot + u'.' + r.port + u'.' + r.ontId, u'[' + r.name + u']');
    });
    connect(m_allOntWindow, &signal::AllOntWindow::diagnoseRequested, this, [this](int row) {
        m_ontListPanel->selectAdvancedRow(row);
        showOntInfo(row, true);
    });
}

void MainWindow::wireImport()
{
    m_importer = std::make_unique<registry::ImportController>(m_provisioning->context());
    m_importer->hooks().stopScan = [this] { m_scanner->stopRequest(); };
    m_importer->hooks().startScan = [this] { m_scanner->startPass(); };
    connect(m_signalCounts.get(), &signal::SignalCountsController::listComparison, m_importer.get(),
            &registry::ImportController::compareCounts);
    m_importWindow = new registry::ImportWindow(*m_importer, this);
    m_importWindow->setWindowFlag(Qt::Window);
    connect(importButton, &QPushButton::clicked, this, &MainWindow::showImportWindow);
}

void MainWindow::showImportWindow()
{
    m_importWindow->show();
    m_importWindow->raise();
}

void MainWindow::wireSearchAndReport()
{
    m_searchBox = new registry::SearchBox(*m_ontList, centralWidget());
    m_searchBox->hide();
    connect(m_ontListPanel, &registry::OntListPanel::searchRequested, this, [this] {
        if (!m_login->sessionReady()) {
            m_provisioning->context().notConnectedError();
            return;
        }
        m_searchBox->move(40, 60);
        m_searchBox->show();
        m_searchBox->raise();
    });
    connect(m_searchBox, &registry::SearchBox::rowChosen, this, [this](int row) {
        m_ontListPanel->viewPages->setCurrentWidget(m_ontListPanel->basicView);
        m_ontListPanel->selectBasicRow(row);
    });
    m_ontListPanel->setMenuItem(registry::OntListPanel::SlotReport, QStringLiteral("Generate Raport int in OLT"),
                                [this] { writeSlotReport(); });
}

bool MainWindow::writeSlotReport()
{
    const QString path = QDir(m_login->appDir()).filePath(QString::fromLatin1(core::kSlotReportFileName));
    const registry::WriteResult written = registry::writeAtomically(path, core::slotReportHtml(m_ontList->rows()));
    if (!written.ok) {
        m_provisioning->context().error(QStringLiteral("Raport"),
                                        QStringLiteral("Nie moge zapisac raportu / The report could not be written:\n")
                                            + path + u'\n' + written.error);
        return false;
    }
    if (!ui::UrlOpener::instance().open(QUrl::fromLocalFile(path))) {
        m_provisioning->context().error(QStringLiteral("Raport"),
                                        QStringLiteral("Nie moge otworzyc raportu / The report could not be opened:\n")
                                            + path);
        return false;
    }
    return true;
}

void MainWindow::toggleOltViewDocking()
{
    if (m_oltViewWindow->hosted()) {
        signal::OltViewPanel *panel = m_oltViewWindow->release();
        m_split->insertWidget(1, panel);
        panel->show();
        return;
    }
    if (!m_login->sessionReady())
        return;
    m_oltViewWindow->host(m_oltViewPanel);
}

void MainWindow::releaseWindowsForExit()
{
    m_oltViewWindow->setClosingAllowed(true);
    m_oltViewWindow->close();
}

void MainWindow::showScanWindow()
{
    if (!m_login->sessionReady()) {
        m_provisioning->context().notConnectedError();
        return;
    }
    if (m_login->oltKey().isEmpty()) {
        m_provisioning->context().error(QStringLiteral("Blad!"), QStringLiteral("Najpierw polacz sie z oltem"));
        return;
    }
    m_scanWindow->show();
    m_scanWindow->raise();
}

void MainWindow::showOntInfo(int row, bool inOwnWindow)
{
    if (!m_login->sessionReady()) {
        m_provisioning->context().notConnectedError();
        return;
    }
    if (m_ontInfo->running() || row < 0 || row >= m_ontList->size())
        return;
    // The panel goes where it is asked for before the run fills it.
    if (inOwnWindow) {
        if (!m_ontInfoWindow) {
            m_ontInfoWindow = new QWidget(this, Qt::Window);
            m_ontInfoWindow->setWindowTitle(QStringLiteral("Diagnoza koncowki"));
        }
        if (m_ontInfoPanel->parentWidget() != m_ontInfoWindow) {
            m_ontInfoPosition = m_ontInfoPanel->pos();
            m_ontInfoPanel->setParent(m_ontInfoWindow);
        }
        m_ontInfoPanel->move(1, 1);
        m_ontInfoWindow->resize(m_ontInfoPanel->sizeHint() + QSize(2, 2));
        m_ontInfoWindow->show();
    } else {
        if (m_ontInfoPanel->parentWidget() != centralWidget()) {
            m_ontInfoPanel->setParent(centralWidget());
            m_ontInfoPanel->move(m_ontInfoPosition);
        }
        if (m_ontInfoWindow)
            m_ontInfoWindow->close();
    }
    const core::OntRecord &r = m_ontList->record(row);
    m_ontInfo->start({r.frame, r.slot, r.port, r.ontId,
                      r.ponType.contains(QStringLiteral("G.")) ? QStringLiteral("gpon") : QStringLiteral("epon"), r.name});
}

void MainWindow::showSignalChart(const QString &ontKey, const QString &title)
{
    if (!m_chartWindow)
        m_chartWindow = new signal::SignalChartWindow(this);
    const signal::SignalHistoryStore store(m_login->appDir());
    m_chartWindow->showChart(store, m_login->oltKey(), ontKey, title);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        m_ontListPanel->loadColumnWidths(m_login->appDir());
    }
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    // The picture and the list share their height: an expanded picture must
    // leave the list room to be read.
    if (m_oltViewPanel && !m_oltViewWindow->hosted())
        m_oltViewPanel->setAvailableHeight(ontListGroup->height() + m_oltViewPanel->height());
}

void MainWindow::setTypedCommandsWindow(TypedCommandsWindow *w)
{
    m_typed = w;
}

void MainWindow::setAccountWindowOpener(std::function<void()> open)
{
    connect(m_login.get(), &OltLoginController::accountWindowRequested, this, std::move(open));
}

LoginCredentials MainWindow::credentials() const
{
    return {addressField->currentText(), loginField->text(), passwordField->text(), safeModeCheck->isChecked()};
}

void MainWindow::connectToOlt()
{
    m_login->connectToOlt(credentials());
}

void MainWindow::setCaptionHost(const QString &host)
{
    setWindowTitle(m_captionBase + QStringLiteral(" #.") + host);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_login->formCloseQuery(m_tag, credentials())) {
        event->accept();
        releaseWindowsForExit();
        Q_EMIT closeAccepted();
    } else {
        event->ignore();
    }
}

} // namespace tervix::app
