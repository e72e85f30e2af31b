#include "registry/ont_list_panel.h"

#include "core/column_widths.h"
#include "core/ont_data_file.h"
#include "core/ont_list_texts.h"
#include "registry/ont_data_store.h"
#include "session/trace_log.h"
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
// Widths the views start with; "d-size.ph" replaces lv1's.
constexpr std::array<int, core::kol::Count> kLv1Widths{40, 60, 40, 40, 40, 50, 180, 140, 75, 75, 280, 90, 1, 0, 1};
constexpr std::array<int, core::kolb::Count> kLv1bWidths{26, 0, 170, 120, 280, 320, 0, 1, 1};

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
    , m_captionPrefix(core::kDomyslnyListCaptionPrefix)
{
    setObjectName(QStringLiteral("gb_dodane"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    buildStrip();
    column->addWidget(Panel1);
    buildViews();
    column->addWidget(a1_pg_dodane, 1);
    pop2 = new QMenu(this);
    pop2->setObjectName(QStringLiteral("pop2"));
    pop2b = new QMenu(this);
    pop2b->setObjectName(QStringLiteral("pop2b"));
    connect(lv1, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        if (!pop2->isEmpty())
            pop2->popup(lv1->viewport()->mapToGlobal(p));
    });
    connect(lv1b, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        if (!pop2b->isEmpty())
            pop2b->popup(lv1b->viewport()->mapToGlobal(p));
    });
    connect(&m_list, &OntList::importNeeded, this, &OntListPanel::importNeeded);
    odswiezNaglowek();
}

void OntListPanel::buildStrip()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto *row = new QHBoxLayout(Panel1);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);

    a1_p_st1 = makePanel(QStringLiteral("All: 0"), Panel1);
    a1_p_st6 = makePanel(QStringLiteral("Disabled ONT: 0"), Panel1);
    ustawTlo(a1_p_st6, QColor(92, 92, 92));
    setText(a1_p_st6, QColor(192, 192, 192));
    a1_p_st2 = makePanel(QStringLiteral("Critical Signal: 0!"), Panel1);
    ustawTlo(a1_p_st2, ui::kolorBgr(kKrytycznyStartBgr));
    a1_p_st5 = makePanel(QStringLiteral("Bad Signal: 0"), Panel1);
    ustawTlo(a1_p_st5, QColor(215, 176, 176));
    a1_p_st3 = makePanel(QStringLiteral("Online: 0"), Panel1);
    ustawTlo(a1_p_st3, QColor(223, 255, 223));
    a1_p_st4 = makePanel(QStringLiteral("Offline: 0"), Panel1);
    ustawTlo(a1_p_st4, QColor(214, 214, 214));
    const std::array<std::pair<QLabel *, const char *>, 6> names{{{a1_p_st1, "a1_p_st1"},
                                                                   {a1_p_st6, "a1_p_st6"},
                                                                   {a1_p_st2, "a1_p_st2"},
                                                                   {a1_p_st5, "a1_p_st5"},
                                                                   {a1_p_st3, "a1_p_st3"},
                                                                   {a1_p_st4, "a1_p_st4"}}};
    for (const auto &[panel, name] : names) {
        panel->setObjectName(QString::fromLatin1(name));
        row->addWidget(panel, 1);
    }

    // The "?" button sits inside the critical panel, at its right edge.
    auto *inner = new QHBoxLayout(a1_p_st2);
    inner->setContentsMargins(2, 1, 2, 1);
    inner->addStretch();
    a1_bt3 = new QPushButton(QStringLiteral("?"), a1_p_st2);
    a1_bt3->setObjectName(QStringLiteral("a1_bt3"));
    a1_bt3->setFixedSize(18, 18);
    a1_bt3->hide();
    inner->addWidget(a1_bt3);
    connect(a1_bt3, &QPushButton::clicked, this, &OntListPanel::criticalListRequested);

    Button1 = new QPushButton(QStringLiteral("Uruchom wyszukiwarke"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    row->addWidget(Button1);
    connect(Button1, &QPushButton::clicked, this, &OntListPanel::searchRequested);
}

void OntListPanel::buildViews()
{
    a1_pg_dodane = new QTabWidget(this);
    a1_pg_dodane->setObjectName(QStringLiteral("a1_pg_dodane"));

    lv1 = new QTableView(a1_pg_dodane);
    lv1->setObjectName(QStringLiteral("lv1"));
    setupView(lv1);
    lv1->setModel(m_list.lv1());
    for (int c = 0; c < core::kol::Count; ++c)
        lv1->setColumnWidth(c, kLv1Widths[size_t(c)]);
    lv1->verticalHeader()->setDefaultSectionSize(lv1->fontMetrics().height() + 6);

    lv1b = new QTableView(a1_pg_dodane);
    lv1b->setObjectName(QStringLiteral("lv1b"));
    setupView(lv1b);
    lv1b->horizontalHeader()->hide();
    QFont f = lv1b->font();
    f.setPointSize(9);
    lv1b->setFont(f);
    QPalette p = lv1b->palette();
    p.setColor(QPalette::Base, ui::kolorRgb(core::kLv1bTloWidoku));
    lv1b->setPalette(p);
    lv1b->setItemDelegate(new ui::Lv1bDelegate(lv1b));
    lv1b->setModel(m_list.lv1b());
    for (int c = 0; c < core::kolb::Count; ++c)
        lv1b->setColumnWidth(c, kLv1bWidths[size_t(c)]);
    // Three text lines per row.
    lv1b->verticalHeader()->setDefaultSectionSize(QFontMetrics(f).lineSpacing() * 3 + 8);

    a1_pg_dodane->addTab(lv1, QStringLiteral("Zaawansowany"));
    a1_pg_dodane->addTab(lv1b, QStringLiteral("Podstawowy"));
    a1_pg_dodane->setCurrentWidget(lv1b);
}

void OntListPanel::ustawTlo(QLabel *panel, const QColor &background)
{
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, background);
    panel->setPalette(p);
}

OntList::Odczyt OntListPanel::odczytaj1(const QString &appDir, const QString &oltKey)
{
    const OntList::Odczyt r = m_list.odczytaj1(appDir, oltKey);
    // The caption follows every load, also one that found nothing to load, so
    // that it never shows the count of another OLT's list.
    odswiezNaglowek();
    return r;
}

void OntListPanel::setListCaptionPrefix(const QString &prefix)
{
    m_captionPrefix = prefix;
}

void OntListPanel::odswiezNaglowek()
{
    setTitle(core::gb_dodane_caption(m_captionPrefix, m_list.rozmiar()));
}

void OntListPanel::resetujLiczniki()
{
    a1_p_st1->setText(QStringLiteral("All: 0"));
    ustawTlo(a1_p_st2, ui::kolorBgr(kKrytycznyStartBgr));
    a1_p_st2->setText(QStringLiteral("Critical Signal: 0!"));
    a1_p_st5->setText(QStringLiteral("Bad Signal: 0!"));
}

bool OntListPanel::zapisz_wielkosc_lv1(const QString &appDir)
{
    if (m_trace)
        m_trace->add(QStringLiteral("a26"));
    QList<int> widths;
    const int count = lv1->model()->columnCount();
    for (int c = 0; c + 1 < count; ++c)
        widths.append(lv1->columnWidth(c));
    const WynikZapisu w = zapiszAtomowo(plikSzerokosci(appDir), core::ont_data_bajty(core::column_widths_tekst(widths)));
    if (m_trace && w.ok)
        m_trace->add(QStringLiteral("a26-end"));
    return w.ok;
}

void OntListPanel::odczytaj_wielkosc_lv1(const QString &appDir)
{
    const std::optional<QByteArray> bytes = czytajPlik(plikSzerokosci(appDir));
    if (!bytes)
        return;
    const QList<std::optional<int>> widths =
        core::column_widths_odczyt(core::ont_data_tekst(*bytes), lv1->model()->columnCount());
    for (int c = 0; c < widths.size(); ++c) {
        if (widths[c])
            lv1->setColumnWidth(c, *widths[c]);
    }
}

QAction *OntListPanel::ustawPozycjePop2(Pop2Pozycja pozycja, const QString &caption, std::function<void()> handler)
{
    const size_t i = size_t(pozycja);
    delete m_pop2Items[i];
    delete m_pop2bItems[i];

    auto *a = new QAction(caption, this);
    if (handler)
        connect(a, &QAction::triggered, this, std::move(handler));
    auto *b = new QAction(caption, this);
    // The slot report needs no selected row, so its twin runs the pop2 item
    // as it is; the others first carry the lv1b selection over to lv1.
    if (pozycja == RaportSlot)
        connect(b, &QAction::triggered, a, &QAction::trigger);
    else
        connect(b, &QAction::triggered, this, [this, pozycja] { forward(pozycja); });
    m_pop2Items[i] = a;
    m_pop2bItems[i] = b;
    rebuildMenu(pop2, m_pop2Items);
    rebuildMenu(pop2b, m_pop2bItems);
    return a;
}

void OntListPanel::rebuildMenu(QMenu *menu, const std::array<QAction *, kPop2Pozycje> &items)
{
    menu->clear();
    for (QAction *a : items) {
        if (a)
            menu->addAction(a);
    }
}

void OntListPanel::forward(Pop2Pozycja pozycja)
{
    const int row = wybranyWierszLv1b();
    if (row < 0)
        return;
    zaznaczWierszLv1(row);
    if (QAction *a = m_pop2Items[size_t(pozycja)])
        a->trigger();
}

int OntListPanel::wybranyWierszLv1() const
{
    return selectedRow(lv1);
}

int OntListPanel::wybranyWierszLv1b() const
{
    return selectedRow(lv1b);
}

void OntListPanel::zaznaczWierszLv1(int row)
{
    selectRow(lv1, row);
}

void OntListPanel::zaznaczWierszLv1b(int row)
{
    selectRow(lv1b, row);
}

} // namespace tervix::registry
