#pragma once

#include "provisioning/add_form_view.h"

#include <QStringList>
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
// service-port rows, with "[+] Dodaj" and "Anuluj".
// The form only shows and holds values; what the buttons do is the
// provisioning controllers', which reach the form as an AddFormView.
class AddOntForm : public QWidget, public AddFormView
{
    Q_OBJECT
public:
    explicit AddOntForm(QWidget *parent = nullptr);

    QComboBox *ponType = nullptr;
    QLineEdit *frame = nullptr;
    QLineEdit *slot = nullptr;
    QLineEdit *port = nullptr;
    QLineEdit *ontId = nullptr;
    QPushButton *proposeIdButton = nullptr;
    QLineEdit *serialOrMac = nullptr;
    QLineEdit *name = nullptr;
    QLineEdit *lineProfile = nullptr;
    QPushButton *lineProfilesButton = nullptr;
    QLineEdit *serviceProfile = nullptr;
    QPushButton *serviceProfilesButton = nullptr;
    QComboBox *activeState = nullptr;
    QLineEdit *subscriberId = nullptr;
    QCheckBox *catvEnabled = nullptr;
    QSpinBox *catvPort = nullptr;
    std::array<QCheckBox *, 4> servicePortEnabled{};
    std::array<QLineEdit *, 4> servicePort{};
    std::array<QLineEdit *, 4> vlan{};
    std::array<QLineEdit *, 4> gemPort{};
    std::array<QLineEdit *, 4> userVlan{};
    std::array<QCheckBox *, 4> nativeVlan{};
    std::array<QCheckBox *, 4> igmp{};
    QPushButton *proposeServicePortsButton = nullptr;
    QPushButton *addButton = nullptr;
    QPushButton *cancelButton = nullptr;
    // The service-profile templates: the chooser (its first entry is the
    // placeholder) and "+ profil uslg.", which opens the templates window.
    QComboBox *serviceTemplateChooser = nullptr;
    QPushButton *serviceTemplatesButton = nullptr;

    // Controls that live elsewhere in the main window and serve this form:
    // proposeIdQuickButton on the "Szybki log" tab, servicePortGapsOption (shown disabled, no
    // effect) on "Dodatkowe Opcje". Hidden until the window places them.
    QPushButton *proposeIdQuickButton = nullptr;
    QCheckBox *servicePortGapsOption = nullptr;

    // -1 in add mode, the edited row's index in edit mode.
    int editedRow = -1;
    // 0 in add mode.
    int editMode = 0;
    // The native-VLAN flags the OLT reported for the edited ONT's four rows.
    std::array<int, 4> nativeFlags{};

    // AddFormView
    core::AddOntValues values() const override;
    QString ponTypeText() const override;
    int editedRowIndex() const override { return editedRow; }
    // Selects a type and runs the type-change handler, as choosing it does.
    void setPonType(int index) override;
    void setFieldText(core::FieldRef field, const QString &text) override;
    void paintField(core::FieldRef field, int bgr) override { paint(this->field(field), bgr); }
    void resetFieldColour(core::FieldRef field) override { resetColour(this->field(field)); }
    void setActiveState(int index) override;
    void focusName() override;
    void clearForNextOnt() override;
    void setAddEnabled(bool enabled) override;
    void setProfilesButtonEnabled(core::ProfileKind kind, bool enabled) override;
    void loadForEdit(int row, const core::AddOntValues &values) override;
    void setNativeVlan(int row, bool on) override;
    void setLocked(bool locked) override;
    void setServicePortFlags(int row, bool enabled, bool nativeVlan, bool igmp) override;
    // The chooser's entries, the placeholder chosen; nothing is applied.
    void setServiceTemplateEntries(const QStringList &entries);
    // onPonTypeChanged: index 0 disables "[+] Dodaj" and the profile buttons; a type
    // enables them and proposes its default profiles ("101" E.PON, "1" G.PON).
    void onPonTypeChanged();

    // The widget that holds a checked field.
    QWidget *field(core::FieldRef p) const;
    // Field colours; a field without its own colour shows the window's.
    static void paint(QWidget *field, int bgr);
    static void resetColour(QWidget *field);
    // The field's own colour as a BGR integer, -1 when it has none.
    static int colour(const QWidget *field);

Q_SIGNALS:
    void ponTypeChanged(int index);
    // The operator chose chooser entry `entry` (0 is the placeholder).
    void serviceTemplateChosen(int entry);
};

} // namespace tervix::provisioning
