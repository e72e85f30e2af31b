#include "signal/scan_window.h"

#include "core/signal_class.h"
#include "signal/scan_controller.h"
#include "signal/scan_list_model.h"
#include "ui/dialog_service.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <limits>

namespace tervix::signal {

namespace {

// Presses of the key in the scan list that show the diagnostics button.
constexpr int kDebugKeyPresses = 6;

QTableView *makeListView(QAbstractItemModel *model, const char *name, QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    // Fixed row heights: a list of tens of thousands of rows must never be
    // measured row by row.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

QSpinBox *makeThresholdBox(const QString &hint, int value, const char *name, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    // The range first: a value set before it would be cut to the default range.
    box->setRange(core::SignalThresholds::kMinimum, core::SignalThresholds::kMaximum);
    box->setValue(value);
    box->setToolTip(hint);
    box->setPrefix(hint + QStringLiteral(": "));
    return box;
}

} // namespace

ScanWindow::ScanWindow(ScanController &controller, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_controller(controller)
{
    setObjectName(QStringLiteral("scanWindow"));
    setWindowTitle(QStringLiteral("Diagnoza ONT / Diagnose ONT"));

    auto *column = new QVBoxLayout(this);
    column->addWidget(buildCurrentRow());

    m_scanModel = new ScanListModel(controller, this);
    m_criticalModel = new CriticalRowsModel(controller, this);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->setObjectName(QStringLiteral("listSplitter"));
    scanView = makeListView(m_scanModel, "scanView", split);
    for (int c = 0; c < ScanListModel::ColumnCount; ++c)
        scanView->setColumnHidden(c, ScanListModel::isHiddenColumn(c));
    scanView->setColumnWidth(ScanListModel::State, 28);
    for (int c : {ScanListModel::PonType, ScanListModel::Frame, ScanListModel::Slot, ScanListModel::Port,
                  ScanListModel::OntId})
        scanView->setColumnWidth(c, 40);
    scanView->setColumnWidth(ScanListModel::Name, 160);
    scanView->setColumnWidth(ScanListModel::Levels, 110);
    scanView->setContextMenuPolicy(Qt::CustomContextMenu);
    scanView->installEventFilter(this);
    scanMenu = new QMenu(this);
    scanMenu->setObjectName(QStringLiteral("scanMenu"));
    scanFromAction = scanMenu->addAction(QStringLiteral("Scan from / Skanuj od"));
    scanFromAction->setObjectName(QStringLiteral("scanFromAction"));
    connect(scanFromAction, &QAction::triggered, this, &ScanWindow::scanFromSelected);
    connect(scanView, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        if (selectedScanRow() >= 0)
            scanMenu->popup(scanView->viewport()->mapToGlobal(p));
    });

    auto *criticalBox = new QWidget(split);
    auto *criticalColumn = new QVBoxLayout(criticalBox);
    criticalColumn->setContentsMargins(0, 0, 0, 0);
    criticalCountLabel = new QLabel(criticalBox);
    criticalCountLabel->setObjectName(QStringLiteral("criticalCountLabel"));
    criticalColumn->addWidget(criticalCountLabel);
    criticalView = makeListView(m_criticalModel, "criticalView", criticalBox);
    criticalView->setColumnWidth(CriticalRowsModel::Place, 80);
    criticalView->setColumnWidth(CriticalRowsModel::Name, 140);
    criticalView->setColumnWidth(CriticalRowsModel::Levels, 110);
    criticalColumn->addWidget(criticalView, 1);
    split->addWidget(scanView);
    split->addWidget(criticalBox);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    column->addWidget(split, 1);

    column->addWidget(buildSettings());

    memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("memo"));
    memo->setReadOnly(true);
    memo->setPlainText(controller.memo());
    column->addWidget(memo);

    auto *statusRow = new QHBoxLayout;
    statusLabel = new QLabel(controller.passStatus(), this);
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    timeLabel = new QLabel(controller.passTime(), this);
    timeLabel->setObjectName(QStringLiteral("timeLabel"));
    timeLabel->setToolTip(QStringLiteral("Godzina nastepnego skanowania / time of next scan"));
    debugButton = new QPushButton(QStringLiteral("debug"), this);
    debugButton->setObjectName(QStringLiteral("debugButton"));
    debugButton->hide();
    connect(debugButton, &QPushButton::clicked, this, &ScanWindow::showDiagnostics);
    statusRow->addWidget(statusLabel, 1);
    statusRow->addWidget(timeLabel);
    statusRow->addWidget(debugButton);
    column->addLayout(statusRow);

    connect(&controller, &ScanController::currentChanged, this, &ScanWindow::showCurrent);
    connect(&controller, &ScanController::positionChanged, this, &ScanWindow::showPosition);
    connect(&controller, &ScanController::scanListRebuilt, this,
            [this] { showPosition(m_controller.position(), int(m_controller.scanRows().size())); });
    connect(&controller, &ScanController::criticalRowsChanged, this, [this] {
        criticalCountLabel->setText(u':' + QString::number(m_controller.criticalRows().size()));
    });
    connect(&controller, &ScanController::memoChanged, memo, &QPlainTextEdit::setPlainText);
    connect(&controller, &ScanController::memoAppended, memo, [this](const QString &text) {
        QTextCursor end(memo->document());
        end.movePosition(QTextCursor::End);
        end.insertText(text);
    });
    connect(&controller, &ScanController::passStatusChanged, this,
            [this](const QString &text) { showStatus(text, false); });
    connect(&controller, &ScanController::passTimeChanged, timeLabel, &QLabel::setText);
    connect(&controller, &ScanController::loginRefused, this, &ScanWindow::showLoginRefused);

    criticalCountLabel->setText(u':' + QString::number(controller.criticalRows().size()));
    showPosition(controller.position(), int(controller.scanRows().size()));
    resize(900, 640);
}

QWidget *ScanWindow::buildCurrentRow()
{
    auto *box = new QWidget(this);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    // What the edits show until the first ONT is read.
    const std::array<const char *, 5> start{"gpon", "0", "4", "1", "1"};
    const std::array<const char *, 5> names{"ponTypeEdit", "frameEdit", "slotEdit", "portEdit", "ontIdEdit"};
    for (size_t i = 0; i < currentEdits.size(); ++i) {
        auto *e = new QLineEdit(QString::fromLatin1(start[i]), box);
        e->setObjectName(QString::fromLatin1(names[i]));
        e->setReadOnly(true);
        e->setMaximumWidth(i == 0 ? 60 : 40);
        currentEdits[i] = e;
        row->addWidget(e);
    }
    positionBox = new QSpinBox(box);
    positionBox->setObjectName(QStringLiteral("positionBox"));
    positionBox->setReadOnly(true);
    positionBox->setButtonSymbols(QAbstractSpinBox::NoButtons);
    positionBox->setRange(0, std::numeric_limits<int>::max());
    row->addWidget(positionBox);
    progressBar = new QProgressBar(box);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    row->addWidget(progressBar, 1);
    refreshButton = new QPushButton(QStringLiteral("Odswiez/Refresh all"), box);
    refreshButton->setObjectName(QStringLiteral("refreshButton"));
    connect(refreshButton, &QPushButton::clicked, this, [this] { m_controller.startPass(); });
    row->addWidget(refreshButton);
    return box;
}

QWidget *ScanWindow::buildSettings()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const core::SignalThresholds &t = m_controller.thresholds();
    ontThresholdBox = makeThresholdBox(QStringLiteral("ONT RX"), t.ontRx, "ontThresholdBox", box);
    oltThresholdBox = makeThresholdBox(QStringLiteral("OLT RX"), t.oltRx, "oltThresholdBox", box);
    connect(ontThresholdBox, &QSpinBox::valueChanged, this, [this](int v) { m_controller.setOntThreshold(v); });
    connect(oltThresholdBox, &QSpinBox::valueChanged, this, [this](int v) { m_controller.setOltThreshold(v); });

    fastStatusBox = new QCheckBox(QStringLiteral("(Beta) Status Fast Scan"), box);
    fastStatusBox->setObjectName(QStringLiteral("fastStatusBox"));
    fastStatusBox->setChecked(m_controller.fastStatus());
    connect(fastStatusBox, &QCheckBox::toggled, this, [this](bool on) { m_controller.setFastStatus(on); });

    modeChooser = new QComboBox(box);
    modeChooser->setObjectName(QStringLiteral("modeChooser"));
    modeChooser->addItem(QStringLiteral("Caly port / Whole port"), int(ScanMode::WholePort));
    modeChooser->addItem(QStringLiteral("Po jednym ONT / One ONT at a time"), int(ScanMode::PerOnt));
    modeChooser->setCurrentIndex(modeChooser->findData(int(m_controller.mode())));
    connect(modeChooser, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            m_controller.setMode(ScanMode(modeChooser->itemData(i).toInt()));
    });

    grid->addWidget(ontThresholdBox, 0, 0);
    grid->addWidget(oltThresholdBox, 0, 1);
    grid->addWidget(fastStatusBox, 0, 2);
    grid->addWidget(modeChooser, 0, 3);
    grid->setColumnStretch(4, 1);
    return box;
}

void ScanWindow::showCurrent()
{
    const core::ScanRow &r = m_controller.current();
    const std::array<const QString *, 5> texts{&r.ponType, &r.frame, &r.slot, &r.port, &r.ontId};
    for (size_t i = 0; i < currentEdits.size(); ++i)
        currentEdits[i]->setText(*texts[i]);
}

void ScanWindow::showPosition(int position, int maximum)
{
    progressBar->setRange(0, qMax(0, maximum));
    progressBar->setValue(qBound(0, position, qMax(0, maximum)));
    positionBox->setValue(qMax(0, position));
}

void ScanWindow::showStatus(const QString &text, bool refused)
{
    statusLabel->setText(text);
    statusLabel->setStyleSheet(refused ? QStringLiteral("color: red;") : QString());
}

void ScanWindow::showLoginRefused(const QString &reason)
{
    const QString stopped =
        QStringLiteral("Skanowanie zatrzymane: OLT odrzucil logowanie / Scanning stopped: the OLT refused the login.");
    showStatus(reason.isEmpty() ? stopped : stopped + u' ' + reason, true);
    ui::DialogService::instance().error(this, QStringLiteral("Blad logowania!"), stopped + u'\n' + reason);
}

int ScanWindow::selectedScanRow() const
{
    const QModelIndexList rows = scanView->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ScanWindow::scanFromSelected()
{
    const int row = selectedScanRow();
    if (row >= 0)
        m_controller.scanFrom(row);
}

bool ScanWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == scanView && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Y && !(key->modifiers() & ~Qt::KeypadModifier)) {
            if (++m_debugKeys >= kDebugKeyPresses)
                debugButton->show();
        } else {
            m_debugKeys = 0;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ScanWindow::showDiagnostics()
{
    const ScanController::PassFigures &f = m_controller.lastPass();
    statusLabel->setStyleSheet(QString());
    statusLabel->setText(QStringLiteral("running=%1 position=%2/%3 | last pass: %4 ms, readings %5, "
                                        "no reading %6, port tables %7, single reads %8")
                             .arg(m_controller.running() ? 1 : 0)
                             .arg(m_controller.position())
                             .arg(m_controller.scanRows().size())
                             .arg(f.elapsedMs)
                             .arg(f.readings)
                             .arg(f.noReading)
                             .arg(f.portTables)
                             .arg(f.perOntReads));
}

} // namespace tervix::signal
