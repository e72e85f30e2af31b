#include "provisioning/profile_picker.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tervix::provisioning {

ProfilePicker::ProfilePicker(QWidget *parent)
    : QGroupBox(parent)
{
    setAutoFillBackground(true);
    auto *column = new QVBoxLayout(this);
    lista = new QTreeWidget(this);
    lista->setColumnCount(3);
    lista->setHeaderLabels({QStringLiteral("ID"), QStringLiteral("Nazwa"), QStringLiteral("B-times")});
    lista->setRootIsDecorated(false);
    lista->setSelectionMode(QAbstractItemView::SingleSelection);
    lista->header()->resizeSection(0, 50);
    lista->header()->resizeSection(1, 190);
    column->addWidget(lista, 1);
    dodajNowy = new QPushButton(QStringLiteral("[+] dodaj nowy"), this);
    column->addWidget(dodajNowy);
    resize(340, 220);
    hide();

    connect(lista, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { wybierz(lista->indexOfTopLevelItem(item)); });
    connect(dodajNowy, &QPushButton::clicked, this, &ProfilePicker::nowyProfilRequested);
}

void ProfilePicker::wypelnij(const QList<core::ProfilOlt> &rows)
{
    lista->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(rows.size());
    for (const core::ProfilOlt &p : rows)
        items.append(new QTreeWidgetItem(QStringList{p.id, p.nazwa, p.bind}));
    lista->addTopLevelItems(items);
}

int ProfilePicker::liczbaWierszy() const
{
    return lista->topLevelItemCount();
}

void ProfilePicker::pokaz(const QString &caption, const QPoint &pos)
{
    setTitle(caption);
    move(pos);
    show();
    raise();
}

void ProfilePicker::wybierz(int row)
{
    QTreeWidgetItem *item = lista->topLevelItem(row);
    if (!item)
        return;
    hide();
    Q_EMIT wybrano(item->text(0));
}

void ProfilePicker::mousePressEvent(QMouseEvent *event)
{
    hide();
    QGroupBox::mousePressEvent(event);
}

} // namespace tervix::provisioning
