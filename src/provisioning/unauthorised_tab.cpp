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
    refreshButton = new QPushButton(QStringLiteral("Odswiez nieautoryzowane!"), this);
    refreshButton->setEnabled(false);
    countLabel = new QLabel(this);
    top->addWidget(refreshButton);
    top->addWidget(countLabel, 1);
    column->addLayout(top);

    unauthorisedView = new QTableView(this);
    unauthorisedView->setModel(m_model);
    unauthorisedView->setSelectionBehavior(QAbstractItemView::SelectRows);
    unauthorisedView->setSelectionMode(QAbstractItemView::SingleSelection);
    unauthorisedView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    unauthorisedView->verticalHeader()->hide();
    unauthorisedView->verticalHeader()->setDefaultSectionSize(20);
    unauthorisedView->horizontalHeader()->setStretchLastSection(true);
    unauthorisedView->setColumnWidth(0, 28);
    unauthorisedView->setColumnWidth(1, 52);
    unauthorisedView->setColumnWidth(2, 60);
    unauthorisedView->setColumnWidth(3, 140);
    unauthorisedView->setColumnWidth(4, 90);
    unauthorisedView->setContextMenuPolicy(Qt::CustomContextMenu);
    unauthorisedView->setAutoFillBackground(true);
    column->addWidget(unauthorisedView, 1);

    auto *bottom = new QHBoxLayout;
    autoRefresh = new QCheckBox(this);
    autoRefresh->setChecked(true);
    autoRefreshMinutes = new QSpinBox(this);
    autoRefreshMinutes->setRange(3, 60);
    autoRefreshMinutes->setValue(8);
    // Changed with the arrows only.
    if (auto *edit = autoRefreshMinutes->findChild<QLineEdit *>())
        edit->setReadOnly(true);
    bottom->addWidget(autoRefresh);
    bottom->addWidget(autoRefreshMinutes);
    bottom->addWidget(new QLabel(QStringLiteral("min bezczynnosci sprawdz nieautoryzowane"), this), 1);
    column->addLayout(bottom);

    unauthorisedMenu = new QMenu(this);
    addAsNewAction = unauthorisedMenu->addAction(QStringLiteral("Dodaj jako nowe"));
    copyToFormAction = unauthorisedMenu->addAction(QStringLiteral("Tylko kopjuj do edycji"));
    connect(unauthorisedView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { unauthorisedMenu->popup(unauthorisedView->viewport()->mapToGlobal(p)); });

    m_blinkTimer.setInterval(timing::scaled(timing::kUnauthorisedBlinkMs));
    connect(&m_blinkTimer, &QTimer::timeout, this, &UnauthorisedTab::blink);

    setListColour(kListColour);
    setCount(0);
}

void UnauthorisedTab::startBlinking()
{
    m_blinkTimer.setInterval(timing::scaled(timing::kUnauthorisedBlinkMs));
    m_blinkTimer.start();
}

void UnauthorisedTab::stopBlinking()
{
    m_blinkTimer.stop();
    setListColour(kListColour);
}

void UnauthorisedTab::blink()
{
    setListColour(m_colour == kBlinkColour ? kListColour : kBlinkColour);
}

void UnauthorisedTab::setListColour(int bgr)
{
    m_colour = bgr;
    QPalette p = unauthorisedView->palette();
    p.setColor(QPalette::Base, ui::colorFromBgr(bgr));
    unauthorisedView->setPalette(p);
}

void UnauthorisedTab::setCount(int n)
{
    countLabel->setText(QStringLiteral("Nieautoryzowane koncowki!: [") + QString::number(n) + u']');
}

int UnauthorisedTab::selectedRow() const
{
    const QModelIndexList rows = unauthorisedView->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

} // namespace tervix::provisioning
