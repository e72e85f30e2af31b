#pragma once

#include "core/ont_search.h"

#include <QAbstractTableModel>
#include <QGroupBox>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tervix::registry {

class OntList;

// The found ONTs of a search, as the box lists them.
class SearchResultsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setHits(std::vector<core::OntSearchHit> hits);
    const std::vector<core::OntSearchHit> &hits() const { return m_hits; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<core::OntSearchHit> m_hits;
};

// The floating search box over the main window: finds ONTs of the list by
// name, SN/MAC, type or place, and a double-click on a result selects that
// ONT in the list (found again by place and SN/MAC, so a reload in between
// never selects another one).
class SearchBox : public QGroupBox
{
    Q_OBJECT
public:
    explicit SearchBox(OntList &list, QWidget *parent = nullptr);

    // "Szukaj" (and Enter in the text).
    void search();
    // A double-click on result `i`.
    void choose(int i);

    QLineEdit *textField = nullptr;
    QComboBox *modeChooser = nullptr;
    QCheckBox *wholeTextBox = nullptr;
    QPushButton *searchButton = nullptr;
    QTableView *resultsView = nullptr;
    QLabel *hintLabel = nullptr;
    QPushButton *closeButton = nullptr;
    SearchResultsModel *results = nullptr;

Q_SIGNALS:
    // The chosen ONT's row of the list as it is now.
    void rowChosen(int row);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    OntList &m_list;
    QPoint m_dragFrom;
};

} // namespace tervix::registry
