#include "app/tanc1.h"

#include "app/tanc2.h"
#include "app/version.h"
#include "core/timing.h"
#include "provisioning/add_ont_form.h"
#include "provisioning/provisioning_controller.h"
#include "provisioning/unauthorised_tab.h"
#include "registry/ont_list.h"
#include "registry/ont_list_panel.h"
#include "registry/save_guard.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "session/trace_log.h"

#include <QCheckBox>
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
#include <QVBoxLayout>

namespace tervix::app {

namespace {
const QString kDefaultOltAddress = QStringLiteral("192.168.100.1");
} // namespace

Tanc1::Tanc1(const QString &appDir, QWidget *parent)
    : QMainWindow(parent)
    , m_trace(std::make_unique<session::TraceLog>())
    , m_session(std::make_unique<session::OltSession>(timing::kQuietMs))
    , m_engine(std::make_unique<session::StepEngine>(*m_session, m_trace.get()))
{
    m_login = std::make_unique<OltLoginController>(*m_session, *m_engine, *m_trace, appDir);
    m_ontList = std::make_unique<registry::OntList>(m_trace.get());
    m_saveGuard = std::make_unique<registry::StraznikSave>(*m_session, m_trace.get());
    m_login->setDialogParent(this);
    m_login->setLastIpItems({kDefaultOltAddress});
    m_captionBase = QString::fromLatin1(kCaptionPrefix) + QString::fromLatin1(kVersion);
    setWindowTitle(m_captionBase);
    buildLayout();
    wireSession();
    wireOntList();
    wireProvisioning();
    // The last addresses are loaded once the window exists.
    m_login->ostatnie_ip(QString());
}

Tanc1::~Tanc1() = default;

void Tanc1::buildLayout()
{
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(4, 4, 4, 4);

    // Top panel: add/edit group with the connection bar; unauthorised ONTs beside it.
    auto *top = new QWidget(central);
    auto *topRow = new QHBoxLayout(top);
    topRow->setContentsMargins(0, 0, 0, 0);
    gb_edycja = new QGroupBox(QStringLiteral("Edycja  / dodawanie ONT !"), top);
    auto *edit = new QVBoxLayout(gb_edycja);
    auto *bar = new QHBoxLayout;
    a_ip = new QComboBox(gb_edycja);
    a_ip->setEditable(true);
    a_ip->addItem(kDefaultOltAddress);
    a_ip->setMinimumWidth(140);
    a_login = new QLineEdit(QStringLiteral("login"), gb_edycja);
    a_haslo = new QLineEdit(gb_edycja);
    a_haslo->setEchoMode(QLineEdit::Password);
    czy1_safe_mode = new QCheckBox(QStringLiteral("Safe Mode"), gb_edycja);
    czy1_safe_mode->setChecked(true);
    bt_polacz = new QPushButton(QStringLiteral("Polacz"), gb_edycja);
    b_kvx1 = new QPushButton(QStringLiteral("kvx"), gb_edycja);
    b_kvx1->setMaximumWidth(36);
    bar->addWidget(a_ip, 2);
    bar->addWidget(a_login, 1);
    bar->addWidget(a_haslo, 1);
    bar->addWidget(czy1_safe_mode);
    bar->addWidget(bt_polacz);
    bar->addWidget(b_kvx1);
    edit->addLayout(bar);
    m_addFormArea = new QVBoxLayout;
    edit->addLayout(m_addFormArea, 1);
    m_unauthorisedPages = new QTabWidget(top);
    topRow->addWidget(gb_edycja, 3);
    topRow->addWidget(m_unauthorisedPages, 2);

    // The OLT picture strip starts collapsed.
    gb_olt_view = new QGroupBox(QStringLiteral("OLT"), central);
    gb_olt_view->setFixedHeight(18);

    // The authorised-ONT list.
    m_ontListPanel = new registry::OntListPanel(*m_ontList, m_trace.get(), central);
    gb_dodane = m_ontListPanel;

    // Bottom: the output memo and options.
    bottomPages = new QTabWidget(central);
    auto *logPage = new QWidget(bottomPages);
    auto *logRow = new QHBoxLayout(logPage);
    Memo1 = new QPlainTextEdit(logPage);
    Memo1->setReadOnly(true);
    Memo1->setPlainText(QStringLiteral("Tervix %1 - gotowy / ready.").arg(QString::fromLatin1(kVersion)));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    Memo1->setFont(mono);
    auto *quick = new QVBoxLayout;
    m_quickButtons = quick;
    Button3 = new QPushButton(QStringLiteral("Przesun liste"), logPage);
    quick->addWidget(Button3);
    quick->addStretch();
    logRow->addWidget(Memo1, 1);
    logRow->addLayout(quick);
    bottomPages->addTab(logPage, QStringLiteral("Szybki log"));
    auto *options = new QWidget(bottomPages);
    m_optionsArea = new QVBoxLayout(options);
    m_optionsArea->addStretch();
    bottomPages->addTab(options, QStringLiteral("Dodatkowe Opcje"));

    auto *split = new QSplitter(Qt::Vertical, central);
    split->addWidget(top);
    split->addWidget(gb_olt_view);
    split->addWidget(gb_dodane);
    split->addWidget(bottomPages);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 0);
    split->setStretchFactor(2, 5);
    split->setStretchFactor(3, 2);
    column->addWidget(split, 1);
    setCentralWidget(central);
}

void Tanc1::wireSession()
{
    connect(m_session.get(), &session::OltSession::textAppended, this, [this](const QString &t) {
        QScrollBar *sb = Memo1->verticalScrollBar();
        const bool atEnd = sb->value() == sb->maximum();
        QTextCursor c(Memo1->document());
        c.movePosition(QTextCursor::End);
        c.insertText(m_memoFilter.feed(t));
        if (atEnd)
            sb->setValue(sb->maximum());
    });
    connect(m_session.get(), &session::OltSession::bufferReplaced, this,
            [this](const QString &t) {
                m_memoFilter.reset();
                Memo1->setPlainText(m_memoFilter.feed(t));
            });

    connect(bt_polacz, &QPushButton::clicked, this, &Tanc1::bt_polaczClick);
    // Enter in the password field connects, even while the button is disabled.
    connect(a_haslo, &QLineEdit::returnPressed, this, &Tanc1::bt_polaczClick);
    connect(Button3, &QPushButton::clicked, this,
            [this] { m_session->wyslij_polecenie(QStringLiteral("\""), true); });
    connect(b_kvx1, &QPushButton::clicked, this, [this] {
        if (m_login->sessionReady())
            Q_EMIT siblingConnectRequested();
    });

    connect(m_login.get(), &OltLoginController::connectEnabledChanged, bt_polacz, &QPushButton::setEnabled);
    connect(m_login.get(), &OltLoginController::captionHostChanged, this, &Tanc1::setCaptionHost);
    connect(m_login.get(), &OltLoginController::lastIpChanged, this,
            [this](const QStringList &items, const QString &current) {
                a_ip->clear();
                a_ip->addItems(items);
                a_ip->setEditText(current);
            });
    connect(m_login.get(), &OltLoginController::typedCommandsCleared, this, [this] {
        if (m_typed)
            m_typed->f2_memo->clear();
    });
}

void Tanc1::wireOntList()
{
    m_ontList->setDialogParent(this);
    const QString appDir = m_login->appDir();
    connect(m_login.get(), &OltLoginController::ontListLoadRequested, this,
            [this](const QString &dir, const QString &key) { m_ontListPanel->odczytaj1(dir, key); });
    // The import window opens here once it exists; until then the operator is told.
    connect(m_ontListPanel, &registry::OntListPanel::importNeeded, this, [this] {
        m_session->appendLine(QStringLiteral("Lista ONT tego OLT jest pusta - zaimportuj ja z OLT. / "
                                             "This OLT's ONT list is empty: import it from the OLT."));
    });
    connect(m_login.get(), &OltLoginController::statusPanelsResetRequested, m_ontListPanel,
            &registry::OntListPanel::resetujLiczniki);
    connect(m_login.get(), &OltLoginController::columnWidthsSaveRequested, this,
            [this, appDir] { m_ontListPanel->zapisz_wielkosc_lv1(appDir); });

    registry::StraznikSave *guard = m_saveGuard.get();
    connect(m_login.get(), &OltLoginController::saveGuardStopRequested, guard, &registry::StraznikSave::stop);
    connect(m_login.get(), &OltLoginController::saveGuardStartRequested, guard, &registry::StraznikSave::start);
    connect(m_login.get(), &OltLoginController::keepAliveRestarted, guard, &registry::StraznikSave::start);
    connect(guard, &registry::StraznikSave::keepAliveRequested, m_login.get(),
            &OltLoginController::podtrzymaj_polaczenie);
}

void Tanc1::wireProvisioning()
{
    m_unauthorised = new provisioning::UnauthorisedTab(m_unauthorisedPages);
    m_unauthorisedPages->addTab(m_unauthorised, QStringLiteral("Nieautoryzowane"));
    m_addForm = new provisioning::AddOntForm(gb_edycja);
    m_addFormArea->addWidget(m_addForm);
    m_quickButtons->insertWidget(1, m_addForm->bt_4);
    m_addForm->bt_4->show();
    m_optionsArea->insertWidget(0, m_addForm->czy_luki_serviceport);
    m_addForm->czy_luki_serviceport->show();

    m_provisioning = std::make_unique<provisioning::ProvisioningController>(
        *m_session, *m_engine, *m_ontList, *m_unauthorised, *m_addForm, m_trace.get());
    m_provisioning->setDialogParent(this);
    auto &h = m_provisioning->hooks();
    OltLoginController *login = m_login.get();
    h.sessionReady = [login] { return login->sessionReady(); };
    h.setSessionReady = [login](bool ready) { login->setSessionReady(ready); };
    h.podtrzymaj = [login] { login->podtrzymaj_polaczenie(); };
    h.odswiezNaglowek = [this] { m_ontListPanel->odswiezNaglowek(); };
    connect(login, &OltLoginController::keepAliveRestarted, m_provisioning.get(),
            &provisioning::ProvisioningController::naPodtrzymanie);
    connect(login, &OltLoginController::workingSessionReady, m_provisioning.get(),
            &provisioning::ProvisioningController::naSesjeGotowa);
}

void Tanc1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        m_ontListPanel->odczytaj_wielkosc_lv1(m_login->appDir());
    }
}

void Tanc1::setTypedCommandsWindow(Tanc2 *w)
{
    m_typed = w;
}

void Tanc1::setAccountWindowOpener(std::function<void()> open)
{
    connect(m_login.get(), &OltLoginController::accountWindowRequested, this, std::move(open));
}

LoginCredentials Tanc1::credentials() const
{
    return {a_ip->currentText(), a_login->text(), a_haslo->text(), czy1_safe_mode->isChecked()};
}

void Tanc1::bt_polaczClick()
{
    m_login->bt_polaczClick(credentials());
}

void Tanc1::setCaptionHost(const QString &host)
{
    setWindowTitle(m_captionBase + QStringLiteral(" #.") + host);
}

void Tanc1::closeEvent(QCloseEvent *event)
{
    if (m_login->formCloseQuery(m_tag, credentials()))
        event->accept();
    else
        event->ignore();
}

} // namespace tervix::app
