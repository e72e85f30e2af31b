#include "registry/import_window.h"

#include "ui/colors.h"
#include "ui/ont_list_images.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace tervix::registry {

namespace {

const QString kStartCaption = QStringLiteral("Pobierz wszystkie koncowki z OLT!");
const QString kSynchroniseCaption = QStringLiteral("Synchronize / Synchronizuj z OLT!");
const QString kDonePrefix = QStringLiteral("[OK] ");
constexpr int kBlinkMs = 800;

const char *const kListingTexts[ImportWindow::ListingCount] = {
    "- Zbieram informacje o koncowkach",
    "- Zbieram informacje o servis portach/gemportach dla koncowek",
    "- Zbieram informacje o VLAN (tag/untag transparent/transform)",
    "- Zbieram informacje o BTV / Multicast / IGMP",
};
const char *const kListingNames[ImportWindow::ListingCount] = {
    "ontsLabel", "servicePortsLabel", "vlansLabel", "igmpLabel"};

struct StageView
{
    int done;    // listings read, from the first
    int reading; // the listing being read, -1 for none
};

// The VLANs come with the service ports, so their label is done when the
// service-port listing is.
StageView stageView(ImportController::Stage stage, int doneBefore)
{
    using Stage = ImportController::Stage;
    switch (stage) {
    case Stage::Onts: return {0, ImportWindow::OntsListing};
    case Stage::ServicePorts: return {1, ImportWindow::ServicePortsListing};
    case Stage::Igmp: return {3, ImportWindow::IgmpListing};
    case Stage::Ready: return {ImportWindow::ListingCount, -1};
    // A failed import keeps what it had read, so the operator sees where it stopped.
    case Stage::Failed: return {doneBefore, -1};
    case Stage::Idle: break;
    }
    return {0, -1};
}

} // namespace

// The rows read so far, straight from the controller: one reset per listing,
// no item per row, so a frame of tens of thousands of ONTs shows at once.
class ImportRowsModel : public QAbstractTableModel
{
public:
    enum Column { Image, PonType, Frame, Slot, Port, OntId, Name, SerialOrMac, ServicePorts, Active, Online, ColumnCount };

    ImportRowsModel(const ImportController &controller, QObject *parent)
        : QAbstractTableModel(parent)
        , m_controller(controller)
        , m_count(int(controller.rows().size()))
    {
    }

    void reload()
    {
        beginResetModel();
        m_count = int(m_controller.rows().size());
        endResetModel();
    }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_count; }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : ColumnCount; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const std::vector<core::ImportRow> &rows = m_controller.rows();
        // The controller may have dropped its rows just before telling us.
        if (!index.isValid() || index.row() >= int(rows.size()))
            return {};
        const core::ImportRow &r = rows[size_t(index.row())];
        if (role == Qt::DecorationRole && index.column() == Image)
            return ui::rowImageIcon(r.online == QLatin1String("-1") ? 2 : 3);
        if (role != Qt::DisplayRole)
            return {};
        switch (index.column()) {
        case PonType: return r.ponType;
        case Frame: return r.frame;
        case Slot: return r.slot;
        case Port: return r.port;
        case OntId: return r.ontId;
        case Name: return r.name;
        case SerialOrMac: return r.serialOrMac;
        case ServicePorts: return r.servicePorts;
        case Active: return r.active;
        case Online: return r.online;
        default: return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
            return {};
        static const char *const kHeaders[ColumnCount] = {
            "",     "E/Gpon", "buda",    "karta",   "port",    "IDont",
            "Nazwa", "MAC S/N", "SrvisPort/vlan/u-tag/igmp/Gemport", "Active?", "Online?"};
        return QString::fromLatin1(kHeaders[section]);
    }

private:
    const ImportController &m_controller;
    int m_count;
};

ImportWindow::ImportWindow(ImportController &controller, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_controller(controller)
{
    setObjectName(QStringLiteral("importWindow"));
    setWindowTitle(QStringLiteral("[Import danych z OLT] Pobierz wszystkie informacje o koncowkach na OLT"));
    auto *column = new QVBoxLayout(this);

    auto *startRow = new QHBoxLayout;
    startRow->addWidget(new QLabel(QStringLiteral("buda"), this));
    frameEdit = new QLineEdit(QStringLiteral("0"), this);
    frameEdit->setObjectName(QStringLiteral("frameEdit"));
    frameEdit->setMaximumWidth(50);
    startRow->addWidget(frameEdit);
    startButton = new QPushButton(kStartCaption, this);
    startButton->setObjectName(QStringLiteral("startButton"));
    startRow->addWidget(startButton);
    startRow->addStretch();
    column->addLayout(startRow);

    column->addWidget(buildPrompt());

    for (int i = 0; i < ListingCount; ++i) {
        auto *label = new QLabel(QString::fromLatin1(kListingTexts[i]), this);
        label->setObjectName(QString::fromLatin1(kListingNames[i]));
        listingLabels[size_t(i)] = label;
        column->addWidget(label);
    }
    countLabel = new QLabel(this);
    countLabel->setObjectName(QStringLiteral("countLabel"));
    column->addWidget(countLabel);

    m_model = new ImportRowsModel(controller, this);
    rowsView = new QTableView(this);
    rowsView->setObjectName(QStringLiteral("rowsView"));
    rowsView->setModel(m_model);
    rowsView->setSelectionBehavior(QAbstractItemView::SelectRows);
    rowsView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rowsView->setWordWrap(false);
    rowsView->verticalHeader()->hide();
    // Fixed row heights: tens of thousands of rows are never measured one by one.
    rowsView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    rowsView->verticalHeader()->setDefaultSectionSize(rowsView->fontMetrics().height() + 4);
    rowsView->horizontalHeader()->setStretchLastSection(true);
    rowsView->setColumnWidth(ImportRowsModel::Image, 24);
    for (int c : {ImportRowsModel::PonType, ImportRowsModel::Frame, ImportRowsModel::Slot, ImportRowsModel::Port,
                  ImportRowsModel::OntId})
        rowsView->setColumnWidth(c, 50);
    rowsView->setColumnWidth(ImportRowsModel::Name, 160);
    rowsView->setColumnWidth(ImportRowsModel::SerialOrMac, 140);
    rowsView->setColumnWidth(ImportRowsModel::ServicePorts, 240);
    column->addWidget(rowsView, 1);

    applyButton = new QPushButton(QStringLiteral("Dodaj i uaktualnij koncowki na mojej liscie dodanych!"), this);
    applyButton->setObjectName(QStringLiteral("applyButton"));
    applyButton->setEnabled(controller.stage() == ImportController::Stage::Ready);
    column->addWidget(applyButton);

    problemsView = new QPlainTextEdit(this);
    problemsView->setObjectName(QStringLiteral("problemsView"));
    problemsView->setReadOnly(true);
    problemsView->setMaximumHeight(90);
    QPalette red = problemsView->palette();
    red.setColor(QPalette::Text, ui::colorFromRgb(0xFF0000));
    problemsView->setPalette(red);
    column->addWidget(problemsView);

    blinkTimer = new QTimer(this);
    blinkTimer->setObjectName(QStringLiteral("blinkTimer"));
    blinkTimer->setInterval(kBlinkMs);
    connect(blinkTimer, &QTimer::timeout, this, &ImportWindow::blink);

    connect(startButton, &QPushButton::clicked, this, [this] { m_controller.start(frameEdit->text()); });
    connect(applyButton, &QPushButton::clicked, this, [this] { m_controller.apply(); });
    connect(hidePromptBox, &QCheckBox::toggled, this, [this](bool on) { m_controller.setPromptHidden(on); });
    connect(&controller, &ImportController::stageChanged, this, &ImportWindow::showStage);
    connect(&controller, &ImportController::rowsChanged, this, &ImportWindow::showRows);
    connect(&controller, &ImportController::applyEnabled, applyButton, &QPushButton::setEnabled);
    connect(&controller, &ImportController::failed, this, &ImportWindow::showProblems);
    connect(&controller, &ImportController::promptRequested, this, &ImportWindow::showPrompt);
    connect(&controller, &ImportController::closeRequested, this, &QWidget::close);

    showStage(controller.stage());
    showRows();
    if (controller.stage() == ImportController::Stage::Failed)
        showProblems(QString());
    resize(960, 640);
}

QWidget *ImportWindow::buildPrompt()
{
    promptPanel = new QWidget(this);
    promptPanel->setObjectName(QStringLiteral("promptPanel"));
    promptPanel->setAutoFillBackground(true);
    auto *grid = new QGridLayout(promptPanel);
    grid->addWidget(new QLabel(QStringLiteral("Your List / Twoja Lista:"), promptPanel), 0, 0);
    listCountLabel = new QLabel(promptPanel);
    listCountLabel->setObjectName(QStringLiteral("listCountLabel"));
    grid->addWidget(listCountLabel, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("OLT Real ONT / Realna na OLT:"), promptPanel), 1, 0);
    oltCountLabel = new QLabel(promptPanel);
    oltCountLabel->setObjectName(QStringLiteral("oltCountLabel"));
    grid->addWidget(oltCountLabel, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Count of ont in OLT and your List not match! Must synhronize with OLT."),
                               promptPanel),
                    2, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Ilosc ONT na twojej liscie jest rozna od ilosci realnej na OLT! "
                                              "Zalecana synchronizacja"),
                               promptPanel),
                    3, 0, 1, 3);
    hidePromptBox = new QCheckBox(QStringLiteral("Dont show egain / Nie pokazuj wiecej!"), promptPanel);
    hidePromptBox->setObjectName(QStringLiteral("hidePromptBox"));
    hidePromptBox->setChecked(m_controller.promptHidden());
    grid->addWidget(hidePromptBox, 4, 0);
    controlLabel = new QLabel(promptPanel);
    controlLabel->setObjectName(QStringLiteral("controlLabel"));
    grid->addWidget(controlLabel, 4, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    promptPanel->hide();
    return promptPanel;
}

QColor ImportWindow::promptColour(bool bright)
{
    return ui::colorFromRgb(bright ? 0xFFC4C4 : 0xFF9D9D);
}

void ImportWindow::showStage(ImportController::Stage stage)
{
    int doneBefore = 0;
    while (doneBefore < ListingCount && listingLabels[size_t(doneBefore)]->text().startsWith(kDonePrefix))
        ++doneBefore;
    const StageView view = stageView(stage, doneBefore);
    for (int i = 0; i < ListingCount; ++i) {
        QLabel *label = listingLabels[size_t(i)];
        const QString text = QString::fromLatin1(kListingTexts[i]);
        label->setText(i < view.done ? kDonePrefix + text : text);
        QFont font = label->font();
        font.setBold(i == view.reading);
        label->setFont(font);
    }
    // A new import, or none: the reasons of the last one no longer hold.
    if (stage == ImportController::Stage::Onts || stage == ImportController::Stage::Idle)
        problemsView->clear();
}

void ImportWindow::showRows()
{
    m_model->reload();
    countLabel->setText(QStringLiteral("Znaleziono: %1").arg(m_controller.rows().size()));
}

void ImportWindow::showProblems(const QString &reason)
{
    const QStringList problems = m_controller.problems();
    problemsView->setPlainText(problems.isEmpty() ? reason : problems.join(u'\n'));
}

void ImportWindow::showPrompt(int listCount, int oltCount, const QString &control)
{
    listCountLabel->setText(QString::number(listCount));
    oltCountLabel->setText(QString::number(oltCount));
    controlLabel->setText(control);
    startButton->setText(kSynchroniseCaption);
    m_bright = false;
    blink();
    promptPanel->show();
    blinkTimer->start();
    show();
    raise();
    activateWindow();
}

void ImportWindow::hidePrompt()
{
    blinkTimer->stop();
    promptPanel->hide();
    startButton->setText(kStartCaption);
}

void ImportWindow::blink()
{
    m_bright = !m_bright;
    QPalette p = promptPanel->palette();
    p.setColor(QPalette::Window, promptColour(m_bright));
    promptPanel->setPalette(p);
}

void ImportWindow::closeEvent(QCloseEvent *event)
{
    hidePrompt();
    m_controller.discard();
    QWidget::closeEvent(event);
}

} // namespace tervix::registry
