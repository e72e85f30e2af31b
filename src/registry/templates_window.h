#pragma once

#include "registry/templates_controller.h"

#include <QWidget>

#include <array>

class QAction;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tervix::provisioning {
class AddOntForm;
}

namespace tervix::registry {

// "Twoje profile uslugowe": the template form (name, profiles, four
// service-port rows, "dodaj" and "anuluj") and the list of the OLT's
// templates with "Edytuj" and "Usun" in its menu. A fixed-size window that
// stays on top; what it shows and keeps is the controller's.
class TemplatesWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TemplatesWindow(TemplatesController &controller, QWidget *parent = nullptr);

    QLineEdit *nameEdit = nullptr;
    QLineEdit *lineProfileEdit = nullptr;
    QLineEdit *serviceProfileEdit = nullptr;
    std::array<QCheckBox *, core::kTemplateRows> rowEnabled{};
    std::array<QLineEdit *, core::kTemplateRows> vlanEdit{};
    std::array<QLineEdit *, core::kTemplateRows> gemPortEdit{};
    std::array<QCheckBox *, core::kTemplateRows> nativeBox{};
    std::array<QCheckBox *, core::kTemplateRows> igmpBox{};
    std::array<QLineEdit *, core::kTemplateRows> userVlanEdit{};
    QPushButton *addButton = nullptr;    // "dodaj"
    QPushButton *cancelButton = nullptr; // "anuluj"
    // Columns: (none), "Nazwa Profilu", "ustawienia", "LineP", "SrvP".
    QTreeWidget *templateList = nullptr;
    QAction *editAction = nullptr;   // "Edytuj"
    QAction *removeAction = nullptr; // "Usun"

    core::TemplateValues formValues() const;
    void showValues(const core::TemplateValues &values);
    // "anuluj": a new template again, the form at its reset values (the user
    // VLANs keep their texts).
    void resetForm();
    // "Edytuj" and "Usun" act on this row; -1 when none is selected.
    int selectedRow() const;

private:
    void showTemplates();
    void submit();
    void editSelected();
    void removeSelected();

    TemplatesController &m_controller;
};

// The add form's side of the templates, wired alike in the main window and
// the tests: the chooser follows the list and applies the entry the operator
// chooses; "+ profil uslg." opens the templates window over windowParent
// (created once, then raised) when the controller allows it.
void connectAddForm(TemplatesController &templates, provisioning::AddOntForm &form, QWidget *windowParent);

} // namespace tervix::registry
