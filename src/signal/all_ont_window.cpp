#include "signal/all_ont_window.h"

#include "core/signal_class.h"
#include "registry/ont_list.h"
#include "ui/colors.h"
#include "ui/dialog_service.h"
#include "ui/ont_list_images.h"

#include <QAction>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace tervix::signal {

static_assert(AllOntWindow::kCriticalPanelBgr == core::signal_colours::kCriticalPanel);
static_assert(AllOntWindow::kBadPanelBgr == core::signal_colours::kBadPanel);
static_assert(AllOntWindow::kOnlinePanelBgr == core::signal_colours::kOnlinePanel);
static_assert(AllOntWindow::kOfflinePanelBgr == core::signal_colours::kOfflinePanel);
static_assert(AllOntWindow::kListBgr == core::signal_colours::kCriticalListBackground);

namespace {

QString outageKey(const core::AllOntEntry &e)
{
    return e.frame + u'/' + e.slot + u'/' + e.port;
}

QCheckBox *makeFilterBox(const QString &text, bool ticked, const char *name, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(ticked);
    return box;
}

QSpinBox *makePlaceBox(const QString &hint, int most, const char *name, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(0, most);
    box->setToolTip(hint);
    box->setPrefix(hint + QStringLiteral(": "));
    return box;
}

} // namespace

void AllOntModel::setEntries(QList<core::AllOntEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

int AllOntModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int AllOntModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(ColumnCount);
}

QVariant AllOntModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const core::AllOntEntry &e = m_entries[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        switch (Column(index.column())) {
        case Signal: return e.signal;
        case Place: return e.place;
        case Name: return e.name;
        case Image:
        case ColumnCount: break;
        }
        return {};
    case Qt::DecorationRole:
        if (index.column() == Image && e.image >= 0)
            return ui::rowImageIcon(e.image);
        return {};
    case Qt::BackgroundRole: {
        const int bgr = core::allOntRowColour(e.signal);
        if (bgr < 0)
            return {};
        return ui::colorFromBgr(bgr);
    }
    case Qt::ForegroundRole:
        return QColor(Qt::black);
    default:
        return {};
    }
}

AllOntWindow::AllOntWindow(registry::OntList &list, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_list(list)
{
    setObjectName(QStringLiteral("allOntWindow"));
    setWindowTitle(QStringLiteral("All ONT"));

    auto *controls = new QGridLayout;
    oltBox = makePlaceBox(QStringLiteral("OLT"), 999, "oltBox", this);
    // Only shown: the list holds one OLT.
    oltBox->setReadOnly(true);
    oltBox->setButtonSymbols(QAbstractSpinBox::NoButtons);
    slotBox = makePlaceBox(QStringLiteral("Slot"), 63, "slotBox", this);
    portBox = makePlaceBox(QStringLiteral("Port"), 15, "portBox", this);
    wholeSlotBox = makeFilterBox(QStringLiteral("Caly Slot / This Slot"), false, "wholeSlotBox", this);
    criticalBox = makeFilterBox(QStringLiteral("Critical"), true, "criticalBox", this);
    badBox = makeFilterBox(QStringLiteral("Bad"), true, "badBox", this);
    offlineBox = makeFilterBox(QStringLiteral("Offline"), true, "offlineBox", this);
    onlineBox = makeFilterBox(QStringLiteral("Online"), true, "onlineBox", this);
    listButton = new QPushButton(QStringLiteral("+"), this);
    listButton->setObjectName(QStringLiteral("listButton"));
    connect(listButton, &QPushButton::clicked, this, &AllOntWindow::relist);
    controls->addWidget(oltBox, 0, 0);
    controls->addWidget(slotBox, 0, 1);
    controls->addWidget(portBox, 0, 2);
    controls->addWidget(wholeSlotBox, 0, 3, 1, 2);
    controls->addWidget(listButton, 0, 5);
    controls->addWidget(criticalBox, 1, 0);
    controls->addWidget(badBox, 1, 1);
    controls->addWidget(offlineBox, 1, 2);
    controls->addWidget(onlineBox, 1, 3);

    auto *summary = new QHBoxLayout;
    const QStringList empty = core::allOntSummary(core::AllOntListing{});
    const std::array<int, 5> panelColours{core::signal_colours::kAllPanel, kCriticalPanelBgr, kBadPanelBgr,
                                          kOnlinePanelBgr, kOfflinePanelBgr};
    const std::array<const char *, 5> names{"allLabel", "criticalLabel", "badLabel", "onlineLabel", "offlineLabel"};
    for (size_t i = 0; i < summaryLabels.size(); ++i) {
        auto *label = new QLabel(empty.value(qsizetype(i)), this);
        label->setObjectName(QString::fromLatin1(names[i]));
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        if (panelColours[i] >= 0) {
            QPalette p = label->palette();
            p.setColor(QPalette::Window, ui::colorFromBgr(panelColours[i]));
            label->setPalette(p);
            label->setAutoFillBackground(true);
        }
        summaryLabels[i] = label;
        summary->addWidget(label, 1);
    }

    m_model = new AllOntModel(this);
    listView = new QTableView(this);
    listView->setObjectName(QStringLiteral("allOntList"));
    listView->setModel(m_model);
    listView->horizontalHeader()->hide();
    listView->verticalHeader()->hide();
    listView->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView->setSelectionMode(QAbstractItemView::SingleSelection);
    listView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView->setShowGrid(false);
    listView->horizontalHeader()->setStretchLastSection(true);
    QFont f = listView->font();
    f.setPointSize(kTextPointSize);
    listView->setFont(f);
    QPalette lp = listView->palette();
    lp.setColor(QPalette::Base, ui::colorFromBgr(kListBgr));
    lp.setColor(QPalette::Text, Qt::black);
    listView->setPalette(lp);
    // The three cells are three lines each, as on the tiles; fixed heights so
    // a whole slot of ONTs is never measured row by row.
    listView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    listView->verticalHeader()->setDefaultSectionSize(QFontMetrics(f).lineSpacing() * 3 + 8);
    listView->setColumnWidth(AllOntModel::Image, 24);
    listView->setColumnWidth(AllOntModel::Signal, 150);
    listView->setColumnWidth(AllOntModel::Place, 100);

    rowMenu = new QMenu(this);
    rowMenu->setObjectName(QStringLiteral("allOntMenu"));
    chartAction = rowMenu->addAction(QStringLiteral("Wykres / Chart Signal"));
    diagnoseAction = rowMenu->addAction(QStringLiteral("Diagnozuj / Info / reboot"));
    connect(chartAction, &QAction::triggered, this, [this] {
        const int row = selectedOntRow();
        if (row >= 0)
            Q_EMIT chartRequested(row);
    });
    connect(diagnoseAction, &QAction::triggered, this, [this] {
        const int row = selectedOntRow();
        if (row >= 0)
            Q_EMIT diagnoseRequested(row);
    });
    listView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(listView, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        const QModelIndex at = listView->indexAt(p);
        if (!at.isValid())
            return;
        selectRow(at.row());
        rowMenu->popup(listView->viewport()->mapToGlobal(p));
    });

    auto *column = new QVBoxLayout(this);
    column->addLayout(controls);
    column->addLayout(summary);
    column->addWidget(listView, 1);

    setFixedWidth(kWidth);
    setMinimumHeight(kMinimumHeight);
    resize(kWidth, 420);
    showListing();
}

void AllOntWindow::showPort(int slot, int port)
{
    oltBox->setValue(0);
    slotBox->setValue(slot);
    portBox->setValue(port);
    wholeSlotBox->setChecked(false);
    for (QCheckBox *box : {criticalBox, badBox, offlineBox, onlineBox})
        box->setChecked(true);
    relist();
    show();
    raise();
    activateWindow();
}

void AllOntWindow::relist()
{
    core::AllOntQuery query;
    query.slot = slotBox->value();
    query.port = portBox->value();
    query.wholeSlot = wholeSlotBox->isChecked();
    query.critical = criticalBox->isChecked();
    query.bad = badBox->isChecked();
    query.online = onlineBox->isChecked();
    query.offline = offlineBox->isChecked();
    core::AllOntListing listing = core::listAllOnts(m_list.rows(), query);
    const QStringList summary = core::allOntSummary(listing);
    for (size_t i = 0; i < summaryLabels.size(); ++i)
        summaryLabels[i]->setText(summary.value(qsizetype(i)));
    m_listed = std::move(listing.entries);
    m_listedWholeSlot = query.wholeSlot;
    showListing();
}

void AllOntWindow::setOutages(const core::PortOutages &outages)
{
    m_outages = outages;
    showListing();
}

void AllOntWindow::showListing()
{
    QList<core::AllOntEntry> entries = m_listed;
    // A whole slot with a cut fibre: the ONTs of that port are what the
    // operator opened the slot for.
    if (m_listedWholeSlot && !m_outages.isEmpty())
        std::stable_partition(entries.begin(), entries.end(),
                              [this](const core::AllOntEntry &e) { return m_outages.contains(outageKey(e)); });
    m_model->setEntries(std::move(entries));
}

int AllOntWindow::selectedOntRow()
{
    const QModelIndexList selected = listView->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return -1;
    const int row = core::findEntryRow(m_list.rows(), m_model->entries().value(selected.first().row()));
    if (row < 0)
        ui::DialogService::instance().error(this, QStringLiteral("Blad!"),
                                            QStringLiteral("Tego ONT nie ma juz na liscie / This ONT is no longer in the list."));
    return row;
}

void AllOntWindow::selectRow(int row)
{
    if (row >= 0 && row < m_model->rowCount())
        listView->selectRow(row);
}

int AllOntWindow::rowCount() const
{
    return m_model->rowCount();
}

core::AllOntEntry AllOntWindow::entry(int row) const
{
    return m_model->entries().value(row);
}

QStringList AllOntWindow::summaryTexts() const
{
    QStringList texts;
    for (const QLabel *label : summaryLabels)
        texts.append(label->text());
    return texts;
}

} // namespace tervix::signal
