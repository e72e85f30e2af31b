#pragma once

#include "core/all_ont_view.h"
#include "core/port_outage.h"

#include <QAbstractTableModel>
#include <QList>
#include <QWidget>

#include <array>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QSpinBox;
class QTableView;

namespace tervix::registry {
class OntList;
}

namespace tervix::signal {

// The ONTs the all-ONT window lists, as the basic view shows their tiles.
class AllOntModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column : int { Image, Signal, Place, Name, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setEntries(QList<core::AllOntEntry> entries);
    const QList<core::AllOntEntry> &entries() const { return m_entries; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<core::AllOntEntry> m_entries;
};

// The ONTs of one PON port, or of a whole slot, filtered by their class, with
// a summary of what is listed. Listing is core::listAllOnts over the main list
// as it is when asked; the window keeps the entries, which name their ONTs by
// place and SN/MAC, and looks an ONT's row up only when an action runs, so an
// action after the main list was reloaded reaches the same ONT or none.
class AllOntWindow : public QWidget
{
    Q_OBJECT
public:
    // The summary panels' colours (BGR), the list's background (BGR) and the
    // text size.
    static constexpr int kCriticalPanelBgr = 12440319;
    static constexpr int kBadPanelBgr = 11579607;
    static constexpr int kOnlinePanelBgr = 14680031;
    static constexpr int kOfflinePanelBgr = 14079702;
    static constexpr int kListBgr = 14286847;
    static constexpr int kTextPointSize = 9;
    static constexpr int kWidth = 542;
    static constexpr int kMinimumHeight = 164;

    explicit AllOntWindow(registry::OntList &list, QWidget *parent = nullptr);

    // Lists one port with every class and shows the window, as the port menu
    // of the OLT picture asks.
    void showPort(int slot, int port);
    // Lists again with the window's own settings ("+").
    void relist();
    // The ports in an outage: a whole slot lists their ONTs first.
    void setOutages(const core::PortOutages &outages);

    int rowCount() const;
    core::AllOntEntry entry(int row) const;
    // The summary texts: all, critical, bad, online, offline.
    QStringList summaryTexts() const;
    // Selects a listed row, as the operator's click does.
    void selectRow(int row);

    QSpinBox *oltBox = nullptr;
    QSpinBox *slotBox = nullptr;
    QSpinBox *portBox = nullptr;
    QCheckBox *wholeSlotBox = nullptr;   // "Caly Slot / This Slot"
    QCheckBox *criticalBox = nullptr;
    QCheckBox *badBox = nullptr;
    QCheckBox *offlineBox = nullptr;
    QCheckBox *onlineBox = nullptr;
    QPushButton *listButton = nullptr;   // "+"
    std::array<QLabel *, 5> summaryLabels{};
    QTableView *listView = nullptr;
    QMenu *rowMenu = nullptr;
    QAction *chartAction = nullptr;      // "Wykres / Chart Signal"
    QAction *diagnoseAction = nullptr;   // "Diagnozuj / Info / reboot"

Q_SIGNALS:
    // The main-list row of the chosen ONT, found when the action ran.
    void chartRequested(int row);
    void diagnoseRequested(int row);

private:
    void showListing();
    // The main-list row of the selected entry now; reports the ONT gone.
    int selectedOntRow();

    registry::OntList &m_list;
    AllOntModel *m_model = nullptr;
    core::PortOutages m_outages;
    // The last listing in core's order, before outage ports are moved up.
    QList<core::AllOntEntry> m_listed;
    bool m_listedWholeSlot = false;
};

} // namespace tervix::signal
