#include "registry/templates_window.h"

#include "provisioning/add_ont_form.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

namespace tervix::registry {

namespace {
const char *const kInitialVlans[core::kTemplateRows] = {"1010", "942", "945", "373"};
// "anuluj" puts 950 into the fourth row, not the initial 373.
const char *const kResetVlans[core::kTemplateRows] = {"1010", "942", "945", "950"};
const QString kInitialGemPort = QStringLiteral("100");

QLineEdit *edit(const QString &text, QWidget *parent, int width)
{
    auto *e = new QLineEdit(text, parent);
    e->setMaximumWidth(width);
    return e;
}
} // namespace

TemplatesWindow::TemplatesWindow(TemplatesController &controller, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , m_controller(controller)
{
    setWindowTitle(QStringLiteral("Twoje profile uslugowe"));
    auto *outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto *tabs = new QTabWidget(this);
    outer->addWidget(tabs);
    auto *page = new QWidget(tabs);
    tabs->addTab(page, QStringLiteral("Profile"));
    auto *column = new QVBoxLayout(page);

    auto *head = new QHBoxLayout;
    nameEdit = new QLineEdit(QStringLiteral("Internet + TV (E/G.PON)"), page);
    lineProfileEdit = edit(QString(), page, 60);
    serviceProfileEdit = edit(QString(), page, 60);
    head->addWidget(new QLabel(QStringLiteral("Nazwa Profilu"), page));
    head->addWidget(nameEdit, 1);
    head->addWidget(new QLabel(QStringLiteral("LineProfile"), page));
    head->addWidget(lineProfileEdit);
    head->addWidget(new QLabel(QStringLiteral("SrvProfile"), page));
    head->addWidget(serviceProfileEdit);
    column->addLayout(head);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("VLAN"), page), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("GEM port"), page), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("User VLAN"), page), 0, 5);
    for (int i = 0; i < core::kTemplateRows; ++i) {
        const QString vlan = QString::fromLatin1(kInitialVlans[i]);
        rowEnabled[i] = new QCheckBox(QStringLiteral("Wlacz"), page);
        vlanEdit[i] = edit(vlan, page, 60);
        gemPortEdit[i] = edit(kInitialGemPort, page, 50);
        nativeBox[i] = new QCheckBox(QStringLiteral("Native"), page);
        igmpBox[i] = new QCheckBox(QStringLiteral("IGMP?"), page);
        userVlanEdit[i] = edit(vlan, page, 60);
        grid->addWidget(rowEnabled[i], i + 1, 0);
        grid->addWidget(vlanEdit[i], i + 1, 1);
        grid->addWidget(gemPortEdit[i], i + 1, 2);
        grid->addWidget(nativeBox[i], i + 1, 3);
        grid->addWidget(igmpBox[i], i + 1, 4);
        grid->addWidget(userVlanEdit[i], i + 1, 5);
    }
    column->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    addButton = new QPushButton(QStringLiteral("dodaj"), page);
    cancelButton = new QPushButton(QStringLiteral("anuluj"), page);
    buttons->addWidget(addButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch();
    column->addLayout(buttons);

    templateList = new QTreeWidget(page);
    templateList->setRootIsDecorated(false);
    templateList->setHeaderLabels({QString(), QStringLiteral("Nazwa Profilu"), QStringLiteral("ustawienia"),
                                   QStringLiteral("LineP"), QStringLiteral("SrvP")});
    templateList->setColumnWidth(0, 16);
    templateList->setColumnWidth(1, 160);
    templateList->setColumnWidth(2, 260);
    templateList->setMinimumSize(560, 180);
    templateList->setContextMenuPolicy(Qt::ActionsContextMenu);
    editAction = new QAction(QStringLiteral("Edytuj"), templateList);
    removeAction = new QAction(QStringLiteral("Usun"), templateList);
    templateList->addAction(editAction);
    templateList->addAction(removeAction);
    column->addWidget(templateList);

    connect(addButton, &QPushButton::clicked, this, &TemplatesWindow::submit);
    connect(cancelButton, &QPushButton::clicked, this, &TemplatesWindow::resetForm);
    connect(editAction, &QAction::triggered, this, &TemplatesWindow::editSelected);
    connect(removeAction, &QAction::triggered, this, &TemplatesWindow::removeSelected);
    connect(&m_controller, &TemplatesController::templatesChanged, this, &TemplatesWindow::showTemplates);
    showTemplates();
}

core::TemplateValues TemplatesWindow::formValues() const
{
    core::TemplateValues v;
    v.name = nameEdit->text();
    v.lineProfile = lineProfileEdit->text();
    v.serviceProfile = serviceProfileEdit->text();
    for (int i = 0; i < core::kTemplateRows; ++i) {
        core::TemplateRow &r = v.rows[size_t(i)];
        r.enabled = rowEnabled[i]->isChecked();
        r.vlan = vlanEdit[i]->text();
        r.gemPort = gemPortEdit[i]->text();
        r.nativeVlan = nativeBox[i]->isChecked();
        r.igmp = igmpBox[i]->isChecked();
        r.userVlan = userVlanEdit[i]->text();
    }
    return v;
}

void TemplatesWindow::showValues(const core::TemplateValues &values)
{
    nameEdit->setText(values.name);
    lineProfileEdit->setText(values.lineProfile);
    serviceProfileEdit->setText(values.serviceProfile);
    for (int i = 0; i < core::kTemplateRows; ++i) {
        const core::TemplateRow &r = values.rows[size_t(i)];
        rowEnabled[i]->setChecked(r.enabled);
        vlanEdit[i]->setText(r.vlan);
        gemPortEdit[i]->setText(r.gemPort);
        nativeBox[i]->setChecked(r.nativeVlan);
        igmpBox[i]->setChecked(r.igmp);
        userVlanEdit[i]->setText(r.userVlan);
    }
}

void TemplatesWindow::resetForm()
{
    m_controller.cancelEdit();
    nameEdit->clear();
    lineProfileEdit->clear();
    serviceProfileEdit->clear();
    for (int i = 0; i < core::kTemplateRows; ++i) {
        rowEnabled[i]->setChecked(false);
        nativeBox[i]->setChecked(false);
        igmpBox[i]->setChecked(false);
        vlanEdit[i]->setText(QString::fromLatin1(kResetVlans[i]));
        gemPortEdit[i]->setText(kInitialGemPort);
    }
}

int TemplatesWindow::selectedRow() const
{
    QTreeWidgetItem *item = templateList->currentItem();
    return item && item->isSelected() ? templateList->indexOfTopLevelItem(item) : -1;
}

void TemplatesWindow::showTemplates()
{
    templateList->clear();
    for (const core::ServiceTemplate &t : m_controller.templates()) {
        templateList->addTopLevelItem(
            new QTreeWidgetItem(QStringList{t.caption, t.name, t.settings, t.lineProfile, t.serviceProfile}));
    }
}

void TemplatesWindow::submit()
{
    if (m_controller.submit(formValues())) {
        resetForm();
        return;
    }
    if (const std::optional<core::FieldRef> f = m_controller.refusedField()) {
        const int r = qBound(0, f->row, core::kTemplateRows - 1);
        switch (f->field) {
        case core::Field::Name: nameEdit->setFocus(); break;
        case core::Field::LineProfile: lineProfileEdit->setFocus(); break;
        case core::Field::SrvProfile: serviceProfileEdit->setFocus(); break;
        case core::Field::Vlan: vlanEdit[r]->setFocus(); break;
        case core::Field::Gemport: gemPortEdit[r]->setFocus(); break;
        case core::Field::UserVlan: userVlanEdit[r]->setFocus(); break;
        default: break;
        }
    }
}

void TemplatesWindow::editSelected()
{
    if (const std::optional<core::TemplateValues> v = m_controller.beginEdit(selectedRow()))
        showValues(*v);
}

void TemplatesWindow::removeSelected()
{
    m_controller.remove(selectedRow());
}

void connectAddForm(TemplatesController &templates, provisioning::AddOntForm &form, QWidget *windowParent)
{
    form.setServiceTemplateEntries(templates.chooserEntries());
    QObject::connect(&templates, &TemplatesController::chooserEntriesChanged, &form,
                     &provisioning::AddOntForm::setServiceTemplateEntries);
    QObject::connect(&form, &provisioning::AddOntForm::serviceTemplateChosen, &templates,
                     [&templates, &form](int entry) { templates.applyToAddForm(entry, form); });
    auto window = std::make_shared<QPointer<TemplatesWindow>>();
    QObject::connect(form.serviceTemplatesButton, &QPushButton::clicked, &templates,
                     [&templates, windowParent, window] {
                         if (!templates.mayOpenWindow())
                             return;
                         if (!*window)
                             *window = new TemplatesWindow(templates, windowParent);
                         (*window)->show();
                         (*window)->raise();
                         (*window)->activateWindow();
                     });
}

} // namespace tervix::registry
