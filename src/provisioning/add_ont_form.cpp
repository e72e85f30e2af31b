#include "provisioning/add_ont_form.h"

#include "ui/colors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tervix::provisioning {

namespace {
const char *const kColourProperty = "tervixKolorPola";

QLineEdit *edit(const QString &text, QWidget *parent, int width = 0)
{
    auto *e = new QLineEdit(text, parent);
    if (width > 0)
        e->setMaximumWidth(width);
    return e;
}

QPushButton *smallButton(const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setMaximumWidth(28);
    return b;
}
} // namespace

AddOntForm::AddOntForm(QWidget *parent)
    : QWidget(parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    // Place, id and type.
    auto *place = new QHBoxLayout;
    ponType = new QComboBox(this);
    ponType->addItems({QStringLiteral("-- Wykryj E/G PON --"), QStringLiteral("E.PON"), QStringLiteral("G.PON")});
    frame = edit(QStringLiteral("0"), this, 40);
    slot = edit(QStringLiteral("X"), this, 40);
    port = edit(QStringLiteral("X"), this, 40);
    ontId = edit(QStringLiteral("Auto"), this, 60);
    proposeIdButton = smallButton(QStringLiteral("A*"), this);
    proposeIdButton->setToolTip(QStringLiteral("Wykryj kolejne idONT!"));
    place->addWidget(ponType);
    place->addWidget(new QLabel(QStringLiteral("F/S/P:"), this));
    place->addWidget(frame);
    place->addWidget(slot);
    place->addWidget(port);
    place->addWidget(new QLabel(QStringLiteral("ID:"), this));
    place->addWidget(ontId);
    place->addWidget(proposeIdButton);
    place->addStretch();
    column->addLayout(place);

    // Identity and name.
    auto *who = new QHBoxLayout;
    serialOrMac = edit(QString(), this);
    name = edit(QStringLiteral("Klient1"), this);
    who->addWidget(new QLabel(QStringLiteral("MAC-S/N-auth"), this));
    who->addWidget(serialOrMac, 1);
    who->addWidget(new QLabel(QStringLiteral("WlasnaNazwa"), this));
    who->addWidget(name, 1);
    column->addLayout(who);

    // Profiles, active state, CATV, subscriber id.
    auto *prof = new QHBoxLayout;
    lineProfile = edit(QStringLiteral("101"), this, 50);
    lineProfilesButton = smallButton(QStringLiteral(".."), this);
    serviceProfile = edit(QStringLiteral("101"), this, 50);
    serviceProfilesButton = smallButton(QStringLiteral(".."), this);
    activeState = new QComboBox(this);
    activeState->addItems({QStringLiteral("Active ONT"), QStringLiteral("Disable/Zablokuj")});
    catvEnabled = new QCheckBox(QStringLiteral("CATV?"), this);
    catvPort = new QSpinBox(this);
    catvPort->setRange(1, 48);
    catvPort->setValue(1);
    if (auto *e = catvPort->findChild<QLineEdit *>())
        e->setReadOnly(true);
    subscriberId = edit(QString(), this, 110);
    subscriberId->setPlaceholderText(QStringLiteral("API: ID user in system ISP| id umowy klienta w systemie"));
    subscriberId->setToolTip(subscriberId->placeholderText());
    prof->addWidget(new QLabel(QStringLiteral("LineProfile"), this));
    prof->addWidget(lineProfile);
    prof->addWidget(lineProfilesButton);
    prof->addWidget(new QLabel(QStringLiteral("SrvProfile"), this));
    prof->addWidget(serviceProfile);
    prof->addWidget(serviceProfilesButton);
    prof->addWidget(activeState);
    prof->addWidget(catvEnabled);
    prof->addWidget(catvPort);
    prof->addWidget(subscriberId);
    prof->addStretch();
    column->addLayout(prof);

    // The four service ports.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    proposeServicePortsButton = smallButton(QStringLiteral("*A"), this);
    proposeServicePortsButton->setToolTip(QStringLiteral("Wykryj kolejne Servis Porty!"));
    auto *spHead = new QHBoxLayout;
    spHead->addWidget(new QLabel(QStringLiteral("ServicePort"), this));
    spHead->addWidget(proposeServicePortsButton);
    grid->addLayout(spHead, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("VLAN"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("GEM port"), this), 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("User VLAN"), this), 0, 4);
    const char *const vlans[] = {"1010", "942", "945", "373"};
    for (int i = 0; i < 4; ++i) {
        servicePortEnabled[i] = new QCheckBox(QStringLiteral("Wlacz"), this);
        servicePortEnabled[i]->setChecked(i < 2);
        servicePort[i] = edit(i == 0 ? QStringLiteral("Auto") : QStringLiteral("Auto+1"), this, 80);
        servicePort[i]->setToolTip(i == 0 ? QStringLiteral("Liczby parzyste") : QStringLiteral("Liczby nieparzyste"));
        vlan[i] = edit(QString::fromLatin1(vlans[i]), this, 60);
        gemPort[i] = edit(QStringLiteral("100"), this, 50);
        userVlan[i] = edit(QString::fromLatin1(vlans[i]), this, 60);
        nativeVlan[i] = new QCheckBox(QStringLiteral("Native"), this);
        igmp[i] = new QCheckBox(QStringLiteral("IGMP?"), this);
        igmp[i]->setChecked(i == 1);
        const int r = i + 1;
        grid->addWidget(servicePortEnabled[i], r, 0);
        grid->addWidget(servicePort[i], r, 1);
        grid->addWidget(vlan[i], r, 2);
        grid->addWidget(gemPort[i], r, 3);
        grid->addWidget(userVlan[i], r, 4);
        grid->addWidget(nativeVlan[i], r, 5);
        grid->addWidget(igmp[i], r, 6);
    }
    grid->setColumnStretch(7, 1);
    column->addLayout(grid);

    auto *templates = new QHBoxLayout;
    serviceTemplateChooser = new QComboBox(this);
    serviceTemplateChooser->addItem(QStringLiteral("-WYBIERZ PROFIL USLUGOWY-"));
    serviceTemplatesButton = new QPushButton(QStringLiteral("+ profil uslg."), this);
    templates->addWidget(serviceTemplateChooser, 1);
    templates->addWidget(serviceTemplatesButton);
    column->addLayout(templates);

    auto *buttons = new QHBoxLayout;
    addButton = new QPushButton(QStringLiteral("[+] Dodaj"), this);
    addButton->setEnabled(false);
    cancelButton = new QPushButton(QStringLiteral("Anuluj"), this);
    buttons->addWidget(addButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch();
    column->addLayout(buttons);
    column->addStretch();

    proposeIdQuickButton = new QPushButton(QStringLiteral("jaki Kolejny Id ont ?"), this);
    proposeIdQuickButton->hide();
    servicePortGapsOption = new QCheckBox(QStringLiteral("Luki w ServicePort"), this);
    servicePortGapsOption->setEnabled(false);
    servicePortGapsOption->hide();

    // Only the operator's choice runs the handler here; the console's own
    // selections go through setPonType, which runs it even when the index stays.
    connect(ponType, &QComboBox::activated, this, [this] { onPonTypeChanged(); });
    connect(serviceTemplateChooser, &QComboBox::activated, this, &AddOntForm::serviceTemplateChosen);
}

core::AddOntValues AddOntForm::values() const
{
    core::AddOntValues f;
    f.ponTypeIndex = ponType->currentIndex();
    f.frame = frame->text();
    f.slot = slot->text();
    f.port = port->text();
    f.id = ontId->text();
    f.mac = serialOrMac->text();
    f.name = name->text();
    f.lineProfile = lineProfile->text();
    f.srvProfile = serviceProfile->text();
    f.active = activeState->currentIndex() == 0;
    f.subscriberId = subscriberId->text();
    f.catv = catvEnabled->isChecked();
    f.catvPort = catvPort->value();
    for (int i = 0; i < 4; ++i) {
        core::ServicePortRow &w = f.rows[size_t(i)];
        w.enabled = servicePortEnabled[i]->isChecked();
        w.serviceport = servicePort[i]->text();
        w.vlan = vlan[i]->text();
        w.gemport = gemPort[i]->text();
        w.userVlan = userVlan[i]->text();
        w.native_ = nativeVlan[i]->isChecked();
        w.igmp = igmp[i]->isChecked();
    }
    return f;
}

QString AddOntForm::ponTypeText() const
{
    return ponType->currentText();
}

void AddOntForm::setFieldText(core::FieldRef field, const QString &text)
{
    if (auto *e = qobject_cast<QLineEdit *>(this->field(field)))
        e->setText(text);
}

void AddOntForm::setActiveState(int index)
{
    activeState->setCurrentIndex(index);
}

void AddOntForm::focusName()
{
    name->setFocus();
}

void AddOntForm::clearForNextOnt()
{
    activeState->setCurrentIndex(0);
    subscriberId->clear();
    catvEnabled->setChecked(false);
    catvPort->setValue(1);
    editMode = 0;
    editedRow = -1;
    nativeFlags = {0, 0, 0, 0};
    ontId->setText(QStringLiteral("Auto"));
    resetColour(ontId);
    for (int i = 0; i < 4; ++i) {
        servicePort[i]->setText(i == 0 ? QStringLiteral("Auto") : QStringLiteral("Auto+1"));
        resetColour(servicePort[i]);
        servicePortEnabled[i]->setChecked(false);
        nativeVlan[i]->setChecked(false);
        igmp[i]->setChecked(false);
    }
    serialOrMac->clear();
    // The chooser shows no template again; nothing is applied.
    if (serviceTemplateChooser->count() > 0)
        serviceTemplateChooser->setCurrentIndex(0);
}

void AddOntForm::setAddEnabled(bool enabled)
{
    addButton->setEnabled(enabled);
}

void AddOntForm::setProfilesButtonEnabled(core::ProfileKind kind, bool enabled)
{
    (kind == core::ProfileKind::Line ? lineProfilesButton : serviceProfilesButton)->setEnabled(enabled);
}

void AddOntForm::loadForEdit(int row, const core::AddOntValues &v)
{
    // The type is shown without running its handler: that would put the
    // type's default profiles over the ONT's own.
    ponType->setCurrentIndex(v.ponTypeIndex);
    frame->setText(v.frame);
    slot->setText(v.slot);
    port->setText(v.port);
    ontId->setText(v.id);
    serialOrMac->setText(v.mac);
    name->setText(v.name);
    lineProfile->setText(v.lineProfile);
    serviceProfile->setText(v.srvProfile);
    activeState->setCurrentIndex(v.active ? 0 : 1);
    subscriberId->setText(v.subscriberId);
    catvEnabled->setChecked(v.catv);
    catvPort->setValue(v.catvPort);
    for (int i = 0; i < 4; ++i) {
        const core::ServicePortRow &w = v.rows[size_t(i)];
        servicePortEnabled[i]->setChecked(w.enabled);
        servicePort[i]->setText(w.serviceport);
        vlan[i]->setText(w.vlan);
        gemPort[i]->setText(w.gemport);
        userVlan[i]->setText(w.userVlan);
        nativeVlan[i]->setChecked(w.native_);
        igmp[i]->setChecked(w.igmp);
    }
    editedRow = row;
    editMode = 1;
}

void AddOntForm::setNativeVlan(int row, bool on)
{
    if (row >= 0 && row < 4)
        nativeVlan[row]->setChecked(on);
}

void AddOntForm::setLocked(bool locked)
{
    setEnabled(!locked);
}

void AddOntForm::setServicePortFlags(int row, bool enabled, bool nativeVlan, bool igmp)
{
    if (row < 0 || row >= int(servicePortEnabled.size()))
        return;
    servicePortEnabled[size_t(row)]->setChecked(enabled);
    this->nativeVlan[size_t(row)]->setChecked(nativeVlan);
    this->igmp[size_t(row)]->setChecked(igmp);
}

void AddOntForm::setServiceTemplateEntries(const QStringList &entries)
{
    serviceTemplateChooser->clear();
    serviceTemplateChooser->addItems(entries);
    serviceTemplateChooser->setCurrentIndex(entries.isEmpty() ? -1 : 0);
}

void AddOntForm::setPonType(int index)
{
    ponType->setCurrentIndex(index);
    onPonTypeChanged();
}

void AddOntForm::onPonTypeChanged()
{
    const int i = ponType->currentIndex();
    const bool typeChosen = i != 0;
    addButton->setEnabled(typeChosen);
    lineProfilesButton->setEnabled(typeChosen);
    serviceProfilesButton->setEnabled(typeChosen);
    if (i == 1) {
        lineProfile->setText(QStringLiteral("101"));
        serviceProfile->setText(QStringLiteral("101"));
    } else if (i == 2) {
        lineProfile->setText(QStringLiteral("1"));
        serviceProfile->setText(QStringLiteral("1"));
    }
    Q_EMIT ponTypeChanged(i);
}

QWidget *AddOntForm::field(core::FieldRef p) const
{
    const int r = qBound(0, p.row, 3);
    switch (p.field) {
    case core::Field::ServicePort: return servicePort[r];
    case core::Field::Vlan: return vlan[r];
    case core::Field::Gemport: return gemPort[r];
    case core::Field::UserVlan: return userVlan[r];
    case core::Field::Frame: return frame;
    case core::Field::Slot: return slot;
    case core::Field::Port: return port;
    case core::Field::SerialOrMac: return serialOrMac;
    case core::Field::OntId: return ontId;
    case core::Field::PonType: return ponType;
    case core::Field::Name: return name;
    case core::Field::LineProfile: return lineProfile;
    case core::Field::SrvProfile: return serviceProfile;
    case core::Field::SubscriberId: return subscriberId;
    }
    return nullptr;
}

void AddOntForm::paint(QWidget *field, int bgr)
{
    if (!field)
        return;
    QPalette p = field->palette();
    p.setColor(QPalette::Base, ui::colorFromBgr(bgr));
    p.setColor(QPalette::Button, ui::colorFromBgr(bgr));
    field->setPalette(p);
    field->setProperty(kColourProperty, bgr);
}

void AddOntForm::resetColour(QWidget *field)
{
    if (!field)
        return;
    field->setPalette(QPalette());
    field->setProperty(kColourProperty, QVariant());
}

int AddOntForm::colour(const QWidget *field)
{
    const QVariant v = field ? field->property(kColourProperty) : QVariant();
    return v.isValid() ? v.toInt() : -1;
}

} // namespace tervix::provisioning
