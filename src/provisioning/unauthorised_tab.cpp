#include "provisioning/unauthorised_tab.h"

#include "core/timing.h"
#include "provisioning/unauthorised_model.h"
#include "ui/colors.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace tervix::provisioning {

UnauthorisedTab::UnauthorisedTab(QWidget *parent)
    : QWidget(parent)
    , m_model(new UnauthorisedModel(this))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);

    auto *top = new QHBoxLayout;
    bt_1 = new QPushButton(QStringLiteral("Odswiez nieautoryzowane!"), this);
    bt_1->setEnabled(false);
    Label12 = new QLabel(this);
    top->addWidget(bt_1);
    top->addWidget(Label12, 1);
    column->addLayout(top);

    lv2 = new QTableView(this);
    lv2->setModel(m_model);
    lv2->setSelectionBehavior(QAbstractItemView::SelectRows);
    lv2->setSelectionMode(QAbstractItemView::SingleSelection);
    lv2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lv2->verticalHeader()->hide();
    lv2->verticalHeader()->setDefaultSectionSize(20);
    lv2->horizontalHeader()->setStretchLastSection(true);
    lv2->setColumnWidth(0, 28);
    lv2->setColumnWidth(1, 52);
    lv2->setColumnWidth(2, 60);
    lv2->setColumnWidth(3, 140);
    lv2->setColumnWidth(4, 90);
    lv2->setContextMenuPolicy(Qt::CustomContextMenu);
    lv2->setAutoFillBackground(true);
    column->addWidget(lv2, 1);

    auto *bottom = new QHBoxLayout;
    automatycznie_nieautoryzowane = new QCheckBox(this);
    automatycznie_nieautoryzowane->setChecked(true);
    sp_nieautoryzowane_min = new QSpinBox(this);
    sp_nieautoryzowane_min->setRange(3, 60);
    sp_nieautoryzowane_min->setValue(8);
    // Changed with the arrows only.
    if (auto *edit = sp_nieautoryzowane_min->findChild<QLineEdit *>())
        edit->setReadOnly(true);
    bottom->addWidget(automatycznie_nieautoryzowane);
    bottom->addWidget(sp_nieautoryzowane_min);
    bottom->addWidget(new QLabel(QStringLiteral("min bezczynnosci sprawdz nieautoryzowane"), this), 1);
    column->addLayout(bottom);

    pop1 = new QMenu(this);
    Dodaj1 = pop1->addAction(QStringLiteral("Dodaj jako nowe"));
    ylkokopjujdoedycji1 = pop1->addAction(QStringLiteral("Tylko kopjuj do edycji"));
    connect(lv2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { pop1->popup(lv2->viewport()->mapToGlobal(p)); });

    m_tim_nielegalne.setInterval(timing::scaled(700));
    connect(&m_tim_nielegalne, &QTimer::timeout, this, &UnauthorisedTab::tim_nielegalneTimer);

    ustawKolor(kKolorTla);
    ustawLicznik(0);
}

void UnauthorisedTab::startMigania()
{
    m_tim_nielegalne.setInterval(timing::scaled(700));
    m_tim_nielegalne.start();
}

void UnauthorisedTab::stopMigania()
{
    m_tim_nielegalne.stop();
    ustawKolor(kKolorTla);
}

void UnauthorisedTab::tim_nielegalneTimer()
{
    ustawKolor(m_kolor == kKolorMigniecia ? kKolorTla : kKolorMigniecia);
}

void UnauthorisedTab::ustawKolor(int bgr)
{
    m_kolor = bgr;
    QPalette p = lv2->palette();
    p.setColor(QPalette::Base, ui::kolorBgr(bgr));
    lv2->setPalette(p);
}

void UnauthorisedTab::ustawLicznik(int n)
{
    Label12->setText(QStringLiteral("Nieautoryzowane koncowki!: [") + QString::number(n) + u']');
}

int UnauthorisedTab::zaznaczonyWiersz() const
{
    const QModelIndexList rows = lv2->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

} // namespace tervix::provisioning
