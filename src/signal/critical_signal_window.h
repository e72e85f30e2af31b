#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QWidget>

#include <optional>

class QLabel;
class QTableView;

namespace tervix::registry {
class OntList;
}

namespace tervix::signal {

// The rows of the all-critical window: the tiles of the main list whose
// signal cell says critical, taken when the window is filled.
class CriticalTilesModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column : int { Image, Signal, Port, Name, Note, ColumnCount };

    struct Tile
    {
        int image = -1;
        QString signal, port, name;
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setTiles(QList<Tile> tiles);
    const QList<Tile> &tiles() const { return m_tiles; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<Tile> m_tiles;
};

// The ONTs of the main list whose last reading was critical and that are not
// offline now, as the basic view shows their tiles. One class serves two
// windows: the all-critical list ("Critical Signal: N!") and the list of one
// PON port opened from the OLT picture ("Critical: N!", with the port's place
// above the list).
class CriticalSignalWindow : public QWidget
{
    Q_OBJECT
public:
    explicit CriticalSignalWindow(registry::OntList &list, QWidget *parent = nullptr);

    // Fills the list with every critical ONT of the main list as it is now
    // and shows the window.
    void showCritical();
    // Fills the list with the critical ONTs of one port (frame, slot and port
    // compared as the list stores them, as decimal text) and shows the window.
    void showPortCritical(const QString &frame, int slot, int port);
    // Fills the list again for what it was last opened for, without showing
    // the window.
    void refill();
    int rowCount() const;

    // The colours and text size of the panel and the list.
    static constexpr int kPanelBgr = 12440319;
    static constexpr int kListBgr = 14286847;
    static constexpr int kTextBgr = 4210816;
    static constexpr int kTextPointSize = 9;

    // The port's "F/S/P" (its first listed row's place, "//" with none);
    // hidden while the window lists every critical ONT.
    QLabel *placeLabel = nullptr;
    QLabel *panel = nullptr;
    QTableView *listView = nullptr;

private:
    struct PortFilter
    {
        QString frame, slot, port;
    };

    registry::OntList &m_list;
    CriticalTilesModel *m_model = nullptr;
    // Set while the window lists one port.
    std::optional<PortFilter> m_port;
};

} // namespace tervix::signal
