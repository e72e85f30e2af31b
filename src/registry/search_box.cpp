#include "registry/search_box.h"

#include "registry/ont_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

namespace tervix::registry {

void SearchResultsModel::setHits(std::vector<core::OntSearchHit> hits)
{
    beginResetModel();
    m_hits = std::move(hits);
    endResetModel();
}

int SearchResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_hits.size());
}

int SearchResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 5;
}

QVariant SearchResultsModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || size_t(index.row()) >= m_hits.size())
        return {};
    return m_hits[size_t(index.row())].cells().value(index.column());
}

QVariant SearchResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *captions[] = {"buda", "ID", "Nazwa", "MAC-SN", "e/p"};
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= 5)
        return {};
    return QString::fromLatin1(captions[section]);
}

SearchBox::SearchBox(OntList &list, QWidget *parent)
    : QGroupBox(core::searchBoxCaption(0), parent)
    , m_list(list)
{
    setObjectName(QStringLiteral("searchBox"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(255, 255, 181));
    setPalette(p);

    textField = new QLineEdit(QStringLiteral("Szukany ciag"), this);
    textField->setObjectName(QStringLiteral("searchText"));
    modeChooser = new QComboBox(this);
    modeChooser->setObjectName(QStringLiteral("searchMode"));
    modeChooser->addItems({QStringLiteral("po Nazwie"), QStringLiteral("po SN/MAC"), QStringLiteral("po typie e/g.pon"),
                           QStringLiteral("0001 (buda slot port id)"), QStringLiteral("000 (buda slot port)")});
    wholeTextBox = new QCheckBox(QStringLiteral("char = char"), this);
    wholeTextBox->setObjectName(QStringLiteral("wholeText"));
    wholeTextBox->setToolTip(QStringLiteral("Find only words = words | Szukaj slowo = slowo"));
    searchButton = new QPushButton(QStringLiteral("Szukaj"), this);
    searchButton->setObjectName(QStringLiteral("searchButton"));
    closeButton = new QPushButton(QStringLiteral("[ X ]"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setFlat(true);
    results = new SearchResultsModel(this);
    resultsView = new QTableView(this);
    resultsView->setObjectName(QStringLiteral("searchResults"));
    resultsView->setModel(results);
    resultsView->setSelectionBehavior(QAbstractItemView::SelectRows);
    resultsView->setSelectionMode(QAbstractItemView::SingleSelection);
    resultsView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultsView->verticalHeader()->hide();
    hintLabel = new QLabel(QStringLiteral("Kliknij wybrana koncowke a zaznaczy sie ona na liscie!"), this);

    auto *grid = new QGridLayout(this);
    grid->addWidget(textField, 0, 0);
    grid->addWidget(modeChooser, 0, 1);
    grid->addWidget(wholeTextBox, 0, 2);
    grid->addWidget(searchButton, 0, 3);
    grid->addWidget(closeButton, 0, 4);
    grid->addWidget(resultsView, 1, 0, 1, 5);
    grid->addWidget(hintLabel, 2, 0, 1, 5);
    resize(560, 260);

    connect(searchButton, &QPushButton::clicked, this, &SearchBox::search);
    connect(textField, &QLineEdit::returnPressed, this, &SearchBox::search);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(resultsView, &QTableView::doubleClicked, this, [this](const QModelIndex &i) { choose(i.row()); });
}

void SearchBox::search()
{
    const core::OntSearchQuery query{textField->text(), core::SearchMode(modeChooser->currentIndex()),
                                     wholeTextBox->isChecked()};
    results->setHits(core::searchOnts(m_list.rows(), query));
    setTitle(core::searchBoxCaption(qsizetype(results->hits().size())));
}

void SearchBox::choose(int i)
{
    if (i < 0 || size_t(i) >= results->hits().size())
        return;
    const int row = core::findHitRow(m_list.rows(), results->hits()[size_t(i)]);
    // The list may have been reloaded since the search: an ONT it no longer
    // holds selects nothing.
    if (row >= 0)
        Q_EMIT rowChosen(row);
}

void SearchBox::mousePressEvent(QMouseEvent *event)
{
    m_dragFrom = event->position().toPoint();
    QGroupBox::mousePressEvent(event);
}

void SearchBox::mouseMoveEvent(QMouseEvent *event)
{
    // The box floats over the window and is dragged by any free spot.
    if (event->buttons() & Qt::LeftButton)
        move(mapToParent(event->position().toPoint() - m_dragFrom));
    QGroupBox::mouseMoveEvent(event);
}

} // namespace tervix::registry
