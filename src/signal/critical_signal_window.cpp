#include "signal/critical_signal_window.h"

#include "core/ont_record.h"
#include "core/signal_class.h"
#include "registry/ont_list.h"
#include "ui/colors.h"
#include "ui/ont_list_images.h"

#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace tervix::signal {

static_assert(CriticalSignalWindow::kPanelBgr == core::signal_colours::kCriticalPanel);
static_assert(CriticalSignalWindow::kListBgr == core::signal_colours::kCriticalListBackground);
static_assert(CriticalSignalWindow::kTextBgr == core::signal_colours::kCriticalListText);

namespace {

QFont textFont(QFont base)
{
    base.setPointSize(CriticalSignalWindow::kTextPointSize);
    return base;
}

// A tile is listed while its last class was critical; one that went offline
// since keeps that text but has no critical signal now.
bool isCriticalNow(const core::OntRecord &r)
{
    return r.signalCell.contains(QStringLiteral("ritical")) && r.basicImage != core::RowImage::Offline;
}

} // namespace

void CriticalTilesModel::setTiles(QList<Tile> tiles)
{
    beginResetModel();
    m_tiles = std::move(tiles);
    endResetModel();
}

int CriticalTilesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_tiles.size());
}

int CriticalTilesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(ColumnCount);
}

QVariant CriticalTilesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_tiles.size())
        return {};
    const Tile &t = m_tiles[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        switch (Column(index.column())) {
        case Signal: return t.signal;
        case Port: return t.port;
        case Name: return t.name;
        case Image:
        case Note:
        case ColumnCount: break;
        }
        return QString();
    case Qt::DecorationRole:
        if (index.column() == Image && t.image >= 0)
            return ui::rowImageIcon(t.image);
        return {};
    case Qt::ForegroundRole:
        return ui::colorFromBgr(CriticalSignalWindow::kTextBgr);
    default:
        return {};
    }
}

CriticalSignalWindow::CriticalSignalWindow(registry::OntList &list, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_list(list)
{
    setObjectName(QStringLiteral("criticalSignalsWindow"));
    const QColor text = ui::colorFromBgr(kTextBgr);

    placeLabel = new QLabel(QStringLiteral("0.0.0"), this);
    placeLabel->setObjectName(QStringLiteral("placeLabel"));
    QFont placeFont = placeLabel->font();
    placeFont.setBold(true);
    placeLabel->setFont(placeFont);
    QPalette placePalette = placeLabel->palette();
    placePalette.setColor(QPalette::WindowText, text);
    placeLabel->setPalette(placePalette);
    placeLabel->hide();

    panel = new QLabel(this);
    panel->setObjectName(QStringLiteral("criticalPanel"));
    panel->setAutoFillBackground(true);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFont(textFont(panel->font()));
    QPalette pp = panel->palette();
    pp.setColor(QPalette::Window, ui::colorFromBgr(kPanelBgr));
    pp.setColor(QPalette::WindowText, text);
    panel->setPalette(pp);

    m_model = new CriticalTilesModel(this);
    listView = new QTableView(this);
    listView->setObjectName(QStringLiteral("criticalList"));
    listView->setModel(m_model);
    listView->horizontalHeader()->hide();
    listView->verticalHeader()->hide();
    listView->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView->setShowGrid(false);
    listView->horizontalHeader()->setStretchLastSection(true);
    const QFont f = textFont(listView->font());
    listView->setFont(f);
    QPalette lp = listView->palette();
    lp.setColor(QPalette::Base, ui::colorFromBgr(kListBgr));
    lp.setColor(QPalette::Text, text);
    listView->setPalette(lp);
    // The signal, port and name cells are three lines each, as on the tiles.
    listView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    listView->verticalHeader()->setDefaultSectionSize(QFontMetrics(f).lineSpacing() * 3 + 8);
    listView->setColumnWidth(CriticalTilesModel::Image, 24);
    listView->setColumnWidth(CriticalTilesModel::Signal, 140);
    listView->setColumnWidth(CriticalTilesModel::Port, 90);
    listView->setColumnWidth(CriticalTilesModel::Name, 200);

    auto *column = new QVBoxLayout(this);
    auto *header = new QHBoxLayout;
    header->addWidget(placeLabel);
    header->addWidget(panel, 1);
    column->addLayout(header);
    column->addWidget(listView, 1);
    refill();
    resize(520, 420);
}

void CriticalSignalWindow::refill()
{
    QList<CriticalTilesModel::Tile> tiles;
    QString place;
    for (const core::OntRecord &r : m_list.rows()) {
        if (!isCriticalNow(r))
            continue;
        if (m_port && (r.frame != m_port->frame || r.slot != m_port->slot || r.port != m_port->port))
            continue;
        if (tiles.isEmpty())
            place = r.frame + u'/' + r.slot + u'/' + r.port;
        tiles.append({r.basicImage, core::cellText(r, core::BasicColumn::Signal),
                      core::cellText(r, core::BasicColumn::Port), core::cellText(r, core::BasicColumn::Name)});
    }
    m_model->setTiles(std::move(tiles));
    const int count = m_model->rowCount();
    const QString caption = m_port ? QStringLiteral("Critical: %1!").arg(count)
                                   : QStringLiteral("Critical Signal: %1!").arg(count);
    panel->setText(caption);
    setWindowTitle(caption);
    placeLabel->setVisible(m_port.has_value());
    if (m_port)
        placeLabel->setText(count == 0 ? QStringLiteral("//") : place);
}

void CriticalSignalWindow::showCritical()
{
    m_port.reset();
    refill();
    show();
    raise();
    activateWindow();
}

void CriticalSignalWindow::showPortCritical(const QString &frame, int slot, int port)
{
    m_port = PortFilter{frame, QString::number(slot), QString::number(port)};
    refill();
    show();
    raise();
    activateWindow();
}

int CriticalSignalWindow::rowCount() const
{
    return m_model->rowCount();
}

} // namespace tervix::signal
