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
    table = new QTreeWidget(this);
    table->setColumnCount(3);
    table->setHeaderLabels({QStringLiteral("ID"), QStringLiteral("Nazwa"), QStringLiteral("B-times")});
    table->setRootIsDecorated(false);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->header()->resizeSection(0, 50);
    table->header()->resizeSection(1, 190);
    column->addWidget(table, 1);
    addNewButton = new QPushButton(QStringLiteral("[+] dodaj nowy"), this);
    column->addWidget(addNewButton);
    resize(340, 220);
    hide();

    connect(table, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { choose(table->indexOfTopLevelItem(item)); });
    connect(addNewButton, &QPushButton::clicked, this, &ProfilePicker::newProfileRequested);
}

void ProfilePicker::fill(const QList<core::OltProfile> &rows)
{
    table->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(rows.size());
    for (const core::OltProfile &p : rows)
        items.append(new QTreeWidgetItem(QStringList{p.id, p.name, p.bindings}));
    table->addTopLevelItems(items);
}

int ProfilePicker::rowCount() const
{
    return table->topLevelItemCount();
}

void ProfilePicker::showAt(const QString &caption, const QPoint &pos)
{
    setTitle(caption);
    move(pos);
    show();
    raise();
}

void ProfilePicker::choose(int row)
{
    QTreeWidgetItem *item = table->topLevelItem(row);
    if (!item)
        return;
    hide();
    Q_EMIT chosen(item->text(0));
}

void ProfilePicker::mousePressEvent(QMouseEvent *event)
{
    hide();
    QGroupBox::mousePressEvent(event);
}

} // namespace tervix::provisioning
