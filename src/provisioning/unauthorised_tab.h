#pragma once

#include <QTimer>
#include <QWidget>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QSpinBox;
class QTableView;

namespace tervix::provisioning {

class UnauthorisedModel;

// The tab "Nieautoryzowane": the list lv2 with its pop-up menu pop1, the
// refresh button, the row counter and the periodic-refresh settings. The list
// blinks (tim_nielegalne) while it holds ONTs nobody has dealt with.
// The behaviour behind the controls is ProvisioningController's.
class UnauthorisedTab : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kKolorTla = 9943551;      // lv2's own colour
    static constexpr int kKolorMigniecia = 12703487;

    explicit UnauthorisedTab(QWidget *parent = nullptr);

    UnauthorisedModel &model() const { return *m_model; }

    QTableView *lv2 = nullptr;
    QPushButton *bt_1 = nullptr;
    QLabel *Label12 = nullptr;
    QCheckBox *automatycznie_nieautoryzowane = nullptr;
    QSpinBox *sp_nieautoryzowane_min = nullptr;
    QMenu *pop1 = nullptr;
    QAction *Dodaj1 = nullptr;               // "Dodaj jako nowe"
    QAction *ylkokopjujdoedycji1 = nullptr;  // "Tylko kopjuj do edycji"

    // tim_nielegalne
    void startMigania();
    // Stops the blinking and gives lv2 its own colour back.
    void stopMigania();
    bool miga() const { return m_tim_nielegalne.isActive(); }
    // lv2's current background as a BGR integer.
    int kolorListy() const { return m_kolor; }

    // "Nieautoryzowane koncowki!: [n]"
    void ustawLicznik(int n);
    // The selected row of lv2, or -1.
    int zaznaczonyWiersz() const;

private:
    void tim_nielegalneTimer();
    void ustawKolor(int bgr);

    UnauthorisedModel *m_model;
    QTimer m_tim_nielegalne;
    int m_kolor = kKolorTla;
};

} // namespace tervix::provisioning
