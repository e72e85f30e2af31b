#include "registry/ont_list_panel.h"

#include "core/column_widths.h"
#include "core/ont_data_file.h"
#include "core/ont_list_texts.h"
#include "registry/ont_data_store.h"
#include "session/trace_log.h"
#include "session/trace_tags.h"
#include "ui/colors.h"
#include "ui/ont_list_delegate.h"
#include "ui/ont_list_model.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace tervix::registry {

namespace {
// Widths the views start with; "d-size.ph" replaces advancedView's.
constexpr std::array<int, core::Column::Count> kAdvancedWidths{40, 60, 40, 40, 40, 50, 180, 140, 75, 75, 280, 90, 1, 0, 1};
constexpr std::array<int, core::BasicColumn::Count> kBasicWidths{26, 0, 170, 120, 280, 320, 0, 1, 1};

QLabel *makePanel(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumHeight(22);
    l->setAutoFillBackground(true);
    return l;
}

void setText(QLabel *panel, const QColor &text)
{
    QPalette p = panel->palette();
    p.setColor(QPalette::WindowText, text);
    panel->setPalette(p);
}

void setupView(QTableView *v)
{
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setShowGrid(true);
    v->setWordWrap(false);
    v->setContextMenuPolicy(Qt::CustomContextMenu);
    v->verticalHeader()->hide();
    v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    v->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    v->horizontalHeader()->setMinimumSectionSize(0);
    v->horizontalHeader()->setStretchLastSection(false);
}

int selectedRow(const QTableView *v)
{
    const QItemSelectionModel *s = v->selectionModel();
    if (!s)
        return -1;
    const QModelIndexList rows = s->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void selectRow(QTableView *v, int row)
{
    if (row < 0 || row >= v->model()->rowCount())
        return;
    v->selectRow(row);
    v->scrollTo(v->model()->index(row, 0));
}
} // namespace

OntListPanel::OntListPanel(OntList &list, session::TraceLog *trace, QWidget *parent)
    : QGroupBox(parent)
    , m_list(list)
    , m_trace(trace)
    , m_captionPrefix(core::kDefaultListCaptionPrefix)
{
    setObjectName(QStringLiteral("ontListGroup"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    buildStrip();
    column->addWidget(countersStrip);
    buildViews();
    column->addWidget(viewPages, 1);
    advancedMenu = new QMenu(this);
    advancedMenu->setObjectName(QStringLiteral("advancedMenu"));
    basicMenu = new QMenu(this);
    basicMenu->setObjectName(QStringLiteral("basicMenu"));
    connect(advancedView, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        if (!advancedMenu->isEmpty())
            advancedMenu->popup(advancedView->viewport()->mapToGlobal(p));
    });
    connect(basicView, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        if (!basicMenu->isEmpty())
            basicMenu->popup(basicView->viewport()->mapToGlobal(p));
    });
    connect(&m_list, &OntList::importNeeded, this, &OntListPanel::importNeeded);
    refreshCaption();
}

void OntListPanel::buildStrip()
{
    countersStrip = new QWidget(this);
    countersStrip->setObjectName(QStringLiteral("countersStrip"));
    auto *row = new QHBoxLayout(countersStrip);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);

    allCounter = makePanel(QStringLiteral("All: 0"), countersStrip);
    disabledCounter = makePanel(QStringLiteral("Disabled ONT: 0"), countersStrip);
    setBackground(disabledCounter, QColor(92, 92, 92));
    setText(disabledCounter, QColor(192, 192, 192));
    criticalCounter = makePanel(QStringLiteral("Critical Signal: 0!"), countersStrip);
    setBackground(criticalCounter, ui::colorFromBgr(kCriticalStartBgr));
    badCounter = makePanel(QStringLiteral("Bad Signal: 0"), countersStrip);
    setBackground(badCounter, QColor(215, 176, 176));
    onlineCounter = makePanel(QStringLiteral("Online: 0"), countersStrip);
    setBackground(onlineCounter, QColor(223, 255, 223));
    offlineCounter = makePanel(QStringLiteral("Offline: 0"), countersStrip);
    setBackground(offlineCounter, QColor(214, 214, 214));
    const std::array<std::pair<QLabel *, const char *>, 6> names{{{allCounter, "allCounter"},
                                                                   {disabledCounter, "disabledCounter"},
                                                                   {criticalCounter, "criticalCounter"},
                                                                   {badCounter, "badCounter"},
                                                                   {onlineCounter, "onlineCounter"},
                                                                   {offlineCounter, "offlineCounter"}}};
    for (const auto &[panel, name] : names) {
        panel->setObjectName(QString::fromLatin1(name));
        row->addWidget(panel, 1);
    }

    // The "?" button sits inside the critical panel, at its right edge.
    auto *inner = new QHBoxLayout(criticalCounter);
    inner->setContentsMargins(2, 1, 2, 1);
    inner->addStretch();
    criticalListButton = new QPushButton(QStringLiteral("?"), criticalCounter);
    criticalListButton->setObjectName(QStringLiteral("criticalListButton"));
    criticalListButton->setFixedSize(18, 18);
    criticalListButton->hide();
    inner->addWidget(criticalListButton);
    connect(criticalListButton, &QPushButton::clicked, this, &OntListPanel::criticalListRequested);

    searchButton = new QPushButton(QStringLiteral("Uruchom wyszukiwarke"), countersStrip);
    searchButton->setObjectName(QStringLiteral("searchButton"));
    row->addWidget(searchButton);
    connect(searchButton, &QPushButton::clicked, this, &OntListPanel::searchRequested);
}

void OntListPanel::buildViews()
{
    viewPages = new QTabWidget(this);
    viewPages->setObjectName(QStringLiteral("viewPages"));

    advancedView = new QTableView(viewPages);
    advancedView->setObjectName(QStringLiteral("advancedView"));
    setupView(advancedView);
    m_advancedModel = new ui::OntListModel(m_list, ui::OntListModel::View::Advanced, this);
    advancedView->setModel(m_advancedModel);
    for (int c = 0; c < core::Column::Count; ++c)
        advancedView->setColumnWidth(c, kAdvancedWidths[size_t(c)]);
    advancedView->verticalHeader()->setDefaultSectionSize(advancedView->fontMetrics().height() + 6);

    basicView = new QTableView(viewPages);
    basicView->setObjectName(QStringLiteral("basicView"));
    setupView(basicView);
    basicView->horizontalHeader()->hide();
    QFont f = basicView->font();
    f.setPointSize(9);
    basicView->setFont(f);
    QPalette p = basicView->palette();
    p.setColor(QPalette::Base, ui::colorFromRgb(core::kBasicViewBackground));
    basicView->setPalette(p);
    basicView->setItemDelegate(new ui::BasicViewDelegate(basicView));
    m_basicModel = new ui::OntListModel(m_list, ui::OntListModel::View::Basic, this);
    basicView->setModel(m_basicModel);
    for (int c = 0; c < core::BasicColumn::Count; ++c)
        basicView->setColumnWidth(c, kBasicWidths[size_t(c)]);
    // Three text lines per row.
    basicView->verticalHeader()->setDefaultSectionSize(QFontMetrics(f).lineSpacing() * 3 + 8);

    viewPages->addTab(advancedView, QStringLiteral("Zaawansowany"));
    viewPages->addTab(basicView, QStringLiteral("Podstawowy"));
    viewPages->setCurrentWidget(basicView);
}

void OntListPanel::setBackground(QLabel *panel, const QColor &background)
{
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, background);
    panel->setPalette(p);
}

OntList::LoadResult OntListPanel::load(const QString &appDir, const QString &oltKey)
{
    const OntList::LoadResult r = m_list.load(appDir, oltKey);
    // The caption follows every load, also one that found nothing to load, so
    // that it never shows the count of another OLT's list.
    refreshCaption();
    return r;
}

void OntListPanel::setListCaptionPrefix(const QString &prefix)
{
    m_captionPrefix = prefix;
}

void OntListPanel::refreshCaption()
{
    setTitle(core::listCaption(m_captionPrefix, m_list.size()));
}

void OntListPanel::resetCounters()
{
    allCounter->setText(QStringLiteral("All: 0"));
    setBackground(criticalCounter, ui::colorFromBgr(kCriticalStartBgr));
    criticalCounter->setText(QStringLiteral("Critical Signal: 0!"));
    badCounter->setText(QStringLiteral("Bad Signal: 0!"));
}

void OntListPanel::showCounts(const QString &all, const QString &online, const QString &offline, const QString &bad,
                              const QString &critical, const QString &disabled)
{
    allCounter->setText(all);
    onlineCounter->setText(online);
    offlineCounter->setText(offline);
    badCounter->setText(bad);
    criticalCounter->setText(critical);
    disabledCounter->setText(disabled);
}

void OntListPanel::setCriticalColour(int bgr)
{
    setBackground(criticalCounter, ui::colorFromBgr(bgr));
}

bool OntListPanel::saveColumnWidths(const QString &appDir)
{
    if (m_trace)
        m_trace->add(session::TraceTag::kSaveColumnWidths);
    QList<int> widths;
    const int count = advancedView->model()->columnCount();
    for (int c = 0; c + 1 < count; ++c)
        widths.append(advancedView->columnWidth(c));
    const WriteResult w = writeAtomically(columnWidthsFilePath(appDir), core::encodeDataFile(core::columnWidthsText(widths)));
    if (m_trace && w.ok)
        m_trace->add(session::TraceTag::end(session::TraceTag::kSaveColumnWidths));
    return w.ok;
}

void OntListPanel::loadColumnWidths(const QString &appDir)
{
    const std::optional<QByteArray> bytes = readWholeFile(columnWidthsFilePath(appDir));
    if (!bytes)
        return;
    const QList<std::optional<int>> widths =
        core::parseColumnWidths(core::decodeDataFile(*bytes), advancedView->model()->columnCount());
    for (int c = 0; c < widths.size(); ++c) {
        if (widths[c])
            advancedView->setColumnWidth(c, *widths[c]);
    }
}

QAction *OntListPanel::setMenuItem(MenuItem item, const QString &caption, std::function<void()> handler)
{
    const size_t i = size_t(item);
    delete m_advancedMenuItems[i];
    delete m_basicMenuItems[i];

    auto *a = new QAction(caption, this);
    if (handler)
        connect(a, &QAction::triggered, this, std::move(handler));
    auto *b = new QAction(caption, this);
    // The slot report needs no selected row, so its twin runs the advancedMenu item
    // as it is; the others first carry the basicView selection over to advancedView.
    if (item == SlotReport)
        connect(b, &QAction::triggered, a, &QAction::trigger);
    else
        connect(b, &QAction::triggered, this, [this, item] { forward(item); });
    m_advancedMenuItems[i] = a;
    m_basicMenuItems[i] = b;
    rebuildMenu(advancedMenu, m_advancedMenuItems);
    rebuildMenu(basicMenu, m_basicMenuItems);
    return a;
}

void OntListPanel::rebuildMenu(QMenu *menu, const std::array<QAction *, kMenuItems> &items)
{
    menu->clear();
    for (QAction *a : items) {
        if (a)
            menu->addAction(a);
    }
}

void OntListPanel::forward(MenuItem item)
{
    const int row = selectedBasicRow();
    if (row < 0)
        return;
    selectAdvancedRow(row);
    if (QAction *a = m_advancedMenuItems[size_t(item)])
        a->trigger();
}

int OntListPanel::selectedAdvancedRow() const
{
    return selectedRow(advancedView);
}

int OntListPanel::selectedBasicRow() const
{
    return selectedRow(basicView);
}

void OntListPanel::selectAdvancedRow(int row)
{
    selectRow(advancedView, row);
}

void OntListPanel::selectBasicRow(int row)
{
    selectRow(basicView, row);
}

} // namespace tervix::registry
