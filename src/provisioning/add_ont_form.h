#pragma once

#include "core/add_ont_batch.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tervix::provisioning {

// The add/edit form of the group "Edycja  / dodawanie ONT !" without the
// connection fields (the main window places it beside them): type, place, id,
// MAC/SN, name, profiles, active state, subscriber id, CATV and the four
// service-port rows, with "[+] Dodaj" and "Anuluj". Controls keep their
// historical names. The form only shows and holds values; what the buttons do
// is ProvisioningController's.
class AddOntForm : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kKolorBledu = 9934847;       // light red: a check failed
    static constexpr int kKolorPropozycji = 11927477; // light green: a proposed value

    explicit AddOntForm(QWidget *parent = nullptr);

    QComboBox *a_typ = nullptr;
    QLineEdit *a_buda = nullptr;
    QLineEdit *a_karta = nullptr;
    QLineEdit *a_port = nullptr;
    QLineEdit *a_id = nullptr;
    QPushButton *bt_auto_id = nullptr;
    QLineEdit *a_mac = nullptr;
    QLineEdit *a_nazwa = nullptr;
    QLineEdit *a_lineprofile = nullptr;
    QPushButton *bt_profil1 = nullptr;
    QLineEdit *a_srvprofile = nullptr;
    QPushButton *bt_profil2 = nullptr;
    QComboBox *a1e_dodaj_czy_aktywny = nullptr;
    QLineEdit *a1_kl_urz_id = nullptr;
    QCheckBox *czy_catv = nullptr;
    QSpinBox *catv_port = nullptr;
    std::array<QCheckBox *, 4> czy_vlan{};
    std::array<QLineEdit *, 4> a_serviceport{};
    std::array<QLineEdit *, 4> a_vlan{};
    std::array<QLineEdit *, 4> a_gemport{};
    std::array<QLineEdit *, 4> a_user_vlan{};
    std::array<QCheckBox *, 4> czy_native{};
    std::array<QCheckBox *, 4> czy_igmp{};
    QPushButton *bt_auto_serviceport = nullptr;
    QPushButton *bt_dodaj_egpon = nullptr;
    QPushButton *bt_anuluj = nullptr;

    // Controls that live elsewhere in the main window and serve this form:
    // bt_4 on the "Szybki log" tab, czy_luki_serviceport (shown disabled, no
    // effect) on "Dodatkowe Opcje". Hidden until the window places them.
    QPushButton *bt_4 = nullptr;
    QCheckBox *czy_luki_serviceport = nullptr;

    // bt_dodaj_egpon.Tag: -1 in add mode, the edited row's index in edit mode.
    int tagDodaj = -1;
    // gb_edycja.Tag: 0 in add mode.
    int tagEdycji = 0;
    // The Tag of czy_native1..4.
    std::array<int, 4> tagNative{};

    // The form's values as the checks, batches and list row take them.
    core::FormularzOnt wartosci() const;

    // Selects a type and runs the type-change handler, as choosing it does.
    void ustawTyp(int index);
    // a_typChange: index 0 disables "[+] Dodaj" and the profile buttons; a type
    // enables them and proposes its default profiles ("101" E.PON, "1" G.PON).
    void a_typChange();

    // The widget that holds a checked field.
    QWidget *pole(core::PoleWiersza p) const;
    // Field colours; a field without its own colour shows the window's.
    static void maluj(QWidget *field, int bgr);
    static void resetujKolor(QWidget *field);
    // The field's own colour as a BGR integer, -1 when it has none.
    static int kolor(const QWidget *field);

Q_SIGNALS:
    void typChanged(int index);
};

} // namespace tervix::provisioning
