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

// The tab "Nieautoryzowane": the list unauthorisedView with its pop-up menu unauthorisedMenu, the
// refresh button, the row counter and the periodic-refresh settings. The list
// blinks while it holds ONTs nobody has dealt with.
// The behaviour behind the controls is UnauthorisedController's; the tab
// shows its rows, count and blinking.
class UnauthorisedTab : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kListColour = 9943551;      // unauthorisedView's own colour
    static constexpr int kBlinkColour = 12703487;

    explicit UnauthorisedTab(QWidget *parent = nullptr);

    UnauthorisedModel &model() const { return *m_model; }

    QTableView *unauthorisedView = nullptr;
    QPushButton *refreshButton = nullptr;
    QLabel *countLabel = nullptr;
    QCheckBox *autoRefresh = nullptr;
    QSpinBox *autoRefreshMinutes = nullptr;
    QMenu *unauthorisedMenu = nullptr;
    QAction *addAsNewAction = nullptr;               // "Dodaj jako nowe"
    QAction *copyToFormAction = nullptr;  // "Tylko kopjuj do edycji"

    void startBlinking();
    // Stops the blinking and gives unauthorisedView its own colour back.
    void stopBlinking();
    bool isBlinking() const { return m_blinkTimer.isActive(); }
    // unauthorisedView's current background as a BGR integer.
    int listColour() const { return m_colour; }

    // "Nieautoryzowane koncowki!: [n]"
    void setCount(int n);
    // The selected row of unauthorisedView, or -1.
    int selectedRow() const;

private:
    void blink();
    void setListColour(int bgr);

    UnauthorisedModel *m_model;
    QTimer m_blinkTimer;
    int m_colour = kListColour;
};

} // namespace tervix::provisioning
