#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QWidget>

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

// "Critical Signal: N!": every ONT of the main list whose last reading was
// critical and that is not offline now, as the basic view shows its tile.
class CriticalSignalsWindow : public QWidget
{
    Q_OBJECT
public:
    explicit CriticalSignalsWindow(registry::OntList &list, QWidget *parent = nullptr);

    // Fills the list from the main list as it is now and shows the window.
    void showCritical();
    // Fills the list without showing the window.
    void refill();
    int rowCount() const;

    // The colours and text size of the panel and the list.
    static constexpr int kPanelBgr = 12440319;
    static constexpr int kListBgr = 14286847;
    static constexpr int kTextBgr = 4210816;
    static constexpr int kTextPointSize = 9;

    QLabel *panel = nullptr;
    QTableView *listView = nullptr;

private:
    registry::OntList &m_list;
    CriticalTilesModel *m_model = nullptr;
};

} // namespace tervix::signal
