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
    a_typ = new QComboBox(this);
    a_typ->addItems({QStringLiteral("-- Wykryj E/G PON --"), QStringLiteral("E.PON"), QStringLiteral("G.PON")});
    a_buda = edit(QStringLiteral("0"), this, 40);
    a_karta = edit(QStringLiteral("X"), this, 40);
    a_port = edit(QStringLiteral("X"), this, 40);
    a_id = edit(QStringLiteral("Auto"), this, 60);
    bt_auto_id = smallButton(QStringLiteral("A*"), this);
    bt_auto_id->setToolTip(QStringLiteral("Wykryj kolejne idONT!"));
    place->addWidget(a_typ);
    place->addWidget(new QLabel(QStringLiteral("F/S/P:"), this));
    place->addWidget(a_buda);
    place->addWidget(a_karta);
    place->addWidget(a_port);
    place->addWidget(new QLabel(QStringLiteral("ID:"), this));
    place->addWidget(a_id);
    place->addWidget(bt_auto_id);
    place->addStretch();
    column->addLayout(place);

    // Identity and name.
    auto *who = new QHBoxLayout;
    a_mac = edit(QString(), this);
    a_nazwa = edit(QStringLiteral("Klient1"), this);
    who->addWidget(new QLabel(QStringLiteral("MAC-S/N-auth"), this));
    who->addWidget(a_mac, 1);
    who->addWidget(new QLabel(QStringLiteral("WlasnaNazwa"), this));
    who->addWidget(a_nazwa, 1);
    column->addLayout(who);

    // Profiles, active state, CATV, subscriber id.
    auto *prof = new QHBoxLayout;
    a_lineprofile = edit(QStringLiteral("101"), this, 50);
    bt_profil1 = smallButton(QStringLiteral(".."), this);
    a_srvprofile = edit(QStringLiteral("101"), this, 50);
    bt_profil2 = smallButton(QStringLiteral(".."), this);
    a1e_dodaj_czy_aktywny = new QComboBox(this);
    a1e_dodaj_czy_aktywny->addItems({QStringLiteral("Active ONT"), QStringLiteral("Disable/Zablokuj")});
    czy_catv = new QCheckBox(QStringLiteral("CATV?"), this);
    catv_port = new QSpinBox(this);
    catv_port->setRange(1, 48);
    catv_port->setValue(1);
    if (auto *e = catv_port->findChild<QLineEdit *>())
        e->setReadOnly(true);
    a1_kl_urz_id = edit(QString(), this, 110);
    a1_kl_urz_id->setPlaceholderText(QStringLiteral("API: ID user in system ISP| id umowy klienta w systemie"));
    a1_kl_urz_id->setToolTip(a1_kl_urz_id->placeholderText());
    prof->addWidget(new QLabel(QStringLiteral("LineProfile"), this));
    prof->addWidget(a_lineprofile);
    prof->addWidget(bt_profil1);
    prof->addWidget(new QLabel(QStringLiteral("SrvProfile"), this));
    prof->addWidget(a_srvprofile);
    prof->addWidget(bt_profil2);
    prof->addWidget(a1e_dodaj_czy_aktywny);
    prof->addWidget(czy_catv);
    prof->addWidget(catv_port);
    prof->addWidget(a1_kl_urz_id);
    prof->addStretch();
    column->addLayout(prof);

    // The four service ports.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    bt_auto_serviceport = smallButton(QStringLiteral("*A"), this);
    bt_auto_serviceport->setToolTip(QStringLiteral("Wykryj kolejne Servis Porty!"));
    auto *spHead = new QHBoxLayout;
    spHead->addWidget(new QLabel(QStringLiteral("ServicePort"), this));
    spHead->addWidget(bt_auto_serviceport);
    grid->addLayout(spHead, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("VLAN"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("GEM port"), this), 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("User VLAN"), this), 0, 4);
    const char *const vlans[] = {"1010", "942", "945", "373"};
    for (int i = 0; i < 4; ++i) {
        czy_vlan[i] = new QCheckBox(QStringLiteral("Wlacz"), this);
        czy_vlan[i]->setChecked(i < 2);
        a_serviceport[i] = edit(i == 0 ? QStringLiteral("Auto") : QStringLiteral("Auto+1"), this, 80);
        a_serviceport[i]->setToolTip(i == 0 ? QStringLiteral("Liczby parzyste") : QStringLiteral("Liczby nieparzyste"));
        a_vlan[i] = edit(QString::fromLatin1(vlans[i]), this, 60);
        a_gemport[i] = edit(QStringLiteral("100"), this, 50);
        a_user_vlan[i] = edit(QString::fromLatin1(vlans[i]), this, 60);
        czy_native[i] = new QCheckBox(QStringLiteral("Native"), this);
        czy_igmp[i] = new QCheckBox(QStringLiteral("IGMP?"), this);
        czy_igmp[i]->setChecked(i == 1);
        const int r = i + 1;
        grid->addWidget(czy_vlan[i], r, 0);
        grid->addWidget(a_serviceport[i], r, 1);
        grid->addWidget(a_vlan[i], r, 2);
        grid->addWidget(a_gemport[i], r, 3);
        grid->addWidget(a_user_vlan[i], r, 4);
        grid->addWidget(czy_native[i], r, 5);
        grid->addWidget(czy_igmp[i], r, 6);
    }
    grid->setColumnStretch(7, 1);
    column->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    bt_dodaj_egpon = new QPushButton(QStringLiteral("[+] Dodaj"), this);
    bt_dodaj_egpon->setEnabled(false);
    bt_anuluj = new QPushButton(QStringLiteral("Anuluj"), this);
    buttons->addWidget(bt_dodaj_egpon);
    buttons->addWidget(bt_anuluj);
    buttons->addStretch();
    column->addLayout(buttons);
    column->addStretch();

    bt_4 = new QPushButton(QStringLiteral("jaki Kolejny Id ont ?"), this);
    bt_4->hide();
    czy_luki_serviceport = new QCheckBox(QStringLiteral("Luki w ServicePort"), this);
    czy_luki_serviceport->setEnabled(false);
    czy_luki_serviceport->hide();

    // Only the operator's choice runs the handler here; the console's own
    // selections go through ustawTyp, which runs it even when the index stays.
    connect(a_typ, &QComboBox::activated, this, [this] { a_typChange(); });
}

core::FormularzOnt AddOntForm::wartosci() const
{
    core::FormularzOnt f;
    f.typIndex = a_typ->currentIndex();
    f.buda = a_buda->text();
    f.karta = a_karta->text();
    f.port = a_port->text();
    f.id = a_id->text();
    f.mac = a_mac->text();
    f.nazwa = a_nazwa->text();
    f.lineProfile = a_lineprofile->text();
    f.srvProfile = a_srvprofile->text();
    f.aktywny = a1e_dodaj_czy_aktywny->currentIndex() == 0;
    f.idKlienta = a1_kl_urz_id->text();
    f.catv = czy_catv->isChecked();
    f.catvPort = catv_port->value();
    for (int i = 0; i < 4; ++i) {
        core::WierszUslugi &w = f.wiersze[size_t(i)];
        w.wlacz = czy_vlan[i]->isChecked();
        w.serviceport = a_serviceport[i]->text();
        w.vlan = a_vlan[i]->text();
        w.gemport = a_gemport[i]->text();
        w.userVlan = a_user_vlan[i]->text();
        w.native_ = czy_native[i]->isChecked();
        w.igmp = czy_igmp[i]->isChecked();
    }
    return f;
}

void AddOntForm::ustawTyp(int index)
{
    a_typ->setCurrentIndex(index);
    a_typChange();
}

void AddOntForm::a_typChange()
{
    const int i = a_typ->currentIndex();
    const bool typ = i != 0;
    bt_dodaj_egpon->setEnabled(typ);
    bt_profil1->setEnabled(typ);
    bt_profil2->setEnabled(typ);
    if (i == 1) {
        a_lineprofile->setText(QStringLiteral("101"));
        a_srvprofile->setText(QStringLiteral("101"));
    } else if (i == 2) {
        a_lineprofile->setText(QStringLiteral("1"));
        a_srvprofile->setText(QStringLiteral("1"));
    }
    Q_EMIT typChanged(i);
}

QWidget *AddOntForm::pole(core::PoleWiersza p) const
{
    const int r = qBound(0, p.wiersz, 3);
    switch (p.pole) {
    case core::Pole::Serviceport: return a_serviceport[r];
    case core::Pole::Vlan: return a_vlan[r];
    case core::Pole::Gemport: return a_gemport[r];
    case core::Pole::UserVlan: return a_user_vlan[r];
    case core::Pole::Buda: return a_buda;
    case core::Pole::Karta: return a_karta;
    case core::Pole::Port: return a_port;
    case core::Pole::Mac: return a_mac;
    case core::Pole::Id: return a_id;
    case core::Pole::Typ: return a_typ;
    case core::Pole::Nazwa: return a_nazwa;
    case core::Pole::LineProfile: return a_lineprofile;
    case core::Pole::SrvProfile: return a_srvprofile;
    case core::Pole::IdKlienta: return a1_kl_urz_id;
    }
    return nullptr;
}

void AddOntForm::maluj(QWidget *field, int bgr)
{
    if (!field)
        return;
    QPalette p = field->palette();
    p.setColor(QPalette::Base, ui::kolorBgr(bgr));
    p.setColor(QPalette::Button, ui::kolorBgr(bgr));
    field->setPalette(p);
    field->setProperty(kColourProperty, bgr);
}

void AddOntForm::resetujKolor(QWidget *field)
{
    if (!field)
        return;
    field->setPalette(QPalette());
    field->setProperty(kColourProperty, QVariant());
}

int AddOntForm::kolor(const QWidget *field)
{
    const QVariant v = field ? field->property(kColourProperty) : QVariant();
    return v.isValid() ? v.toInt() : -1;
}

} // namespace tervix::provisioning
