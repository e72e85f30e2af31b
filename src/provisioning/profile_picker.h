#pragma once

#include "core/profiles_parser.h"

#include <QGroupBox>

class QPushButton;
class QTreeWidget;

namespace tervix::provisioning {

// lineProfilePicker / serviceProfilePicker: a floating box over the main window with the
// OLT's line or service profiles (columns "ID", "Nazwa", "B-times").
// A double click on a row chooses its id and closes the box; a click on the
// box itself closes it; "[+] dodaj nowy" asks for the OLT configuration window.
class ProfilePicker : public QGroupBox
{
    Q_OBJECT
public:
    explicit ProfilePicker(QWidget *parent = nullptr);

    QTreeWidget *table = nullptr;
    QPushButton *addNewButton = nullptr;   // "[+] dodaj nowy"

    void fill(const QList<core::OltProfile> &rows);
    int rowCount() const;
    // Shows the box with its top-left corner at pos (in the parent's coordinates).
    void showAt(const QString &caption, const QPoint &pos);
    // The id of row i (a double click's choice).
    void choose(int row);

Q_SIGNALS:
    void chosen(const QString &id);
    void newProfileRequested();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

} // namespace tervix::provisioning
