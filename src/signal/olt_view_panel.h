#pragma once

#include "core/olt_picture.h"
#include "core/port_outage.h"

#include <QColor>
#include <QGroupBox>
#include <QSet>
#include <QString>
#include <QTimer>

#include <array>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;

namespace tervix::signal {

// The OLT picture: one strip per service board in use, one panel per PON port
// with how many ONTs it holds and how many of them are online, offline and
// critical. The strips and panels are made once, when the panel is made, and
// only shown, hidden, recoloured and re-captioned afterwards: a picture is
// redrawn after every recount, and a list of tens of thousands of ONTs must
// not rebuild several hundred widgets each time.
//
// What the picture shows comes whole from core (core::OltPicture,
// core::PortOutages); the panel only keeps the blink phase of the ports with
// critical ONTs.
//
// Wiring: setPicture() after every change of the totals or the signal counts,
// setOutages() after every state refresh; allOntsRequested opens the all-ONT
// window on the port, portCriticalRequested the port's critical list, and
// undockRequested moves the panel between the main window and OltViewWindow.
class OltViewPanel : public QGroupBox
{
    Q_OBJECT
public:
    static constexpr int kBoards = core::OltPicture::kBoards;
    static constexpr int kPorts = core::OltPicture::kPorts;
    static constexpr int kStripHeight = 70;
    static constexpr int kPortWidth = 76;
    static constexpr int kPortHeight = 41;
    static constexpr int kPortStep = 77;
    static constexpr int kFirstPortLeft = 50;
    static constexpr int kBlinkMs = 1200;
    static constexpr int kMenuHideMs = 8000;
    // Below this height the list under the picture would be too short to
    // use, so the expanded picture shows at most two strips and scrolls.
    static constexpr int kMinimumListHeight = 200;
    static constexpr int kMostStripsWhenShort = 2;

    // The labels of a port panel.
    enum class PortText { Number, Total, Online, Offline, Critical };

    explicit OltViewPanel(QWidget *parent = nullptr);

    void setPicture(const core::OltPicture &picture);
    void setOutages(const core::PortOutages &outages);
    const core::OltPicture &picture() const { return m_picture; }

    // The height the picture and the list below it share; 0 (the start)
    // means unknown, and the expanded picture shows every shown strip.
    void setAvailableHeight(int height);

    // "+" and "-": the whole picture, or only its caption row.
    void expand();
    void collapse();
    bool isExpanded() const { return m_expanded; }
    // The height of the picture when expanded and when collapsed.
    int expandedHeight() const;
    int collapsedHeight() const;

    // One phase of the blinking of the ports with critical ONTs (what the
    // blink timer runs).
    void blink();
    bool blinkOn() const { return m_blinkOn; }
    const QTimer &blinkTimer() const { return m_blinkTimer; }

    // ---- For the host and the tests -------------------------------------
    QFrame *strip(int board) const;
    QFrame *portPanel(int board, int port) const;
    QPushButton *criticalButton(int board, int port) const;
    QLabel *boardTotalLabel(int board) const;
    QString portText(int board, int port, PortText which) const;
    QColor portColourNow(int board, int port) const;
    bool isBoardShown(int board) const;
    int shownPortCount(int board) const;

    QPushButton *expandButton = nullptr;    // "+"
    QPushButton *collapseButton = nullptr;  // "-"
    QPushButton *undockButton = nullptr;    // "/"
    QScrollArea *scrollArea = nullptr;
    QMenu *portMenu = nullptr;
    QAction *drawSplitterAction = nullptr;  // "draw rysuj spliter"
    QAction *allOntsAction = nullptr;       // "all ont wszystkie"
    // The board and port the port menu was last opened for.
    int menuBoard() const { return m_menuBoard; }
    int menuPort() const { return m_menuPort; }

    // Opens the port menu of a port, as a click on its panel does.
    void openPortMenu(int board, int port);

    // The colours the picture's integers stand for.
    static QColor pictureColour(int value);

Q_SIGNALS:
    void allOntsRequested(int slot, int port);
    void portCriticalRequested(int slot, int port);
    void undockRequested();
    // The panel's maximum height changed (expanded, collapsed, other strips).
    void heightLimitChanged(int height);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Port
    {
        QFrame *panel = nullptr;
        QLabel *number = nullptr;
        QLabel *total = nullptr;
        QLabel *online = nullptr;
        QLabel *offline = nullptr;
        QLabel *critical = nullptr;
        QPushButton *criticalButton = nullptr;
    };
    struct Board
    {
        QFrame *strip = nullptr;
        QLabel *number = nullptr;
        QLabel *total = nullptr;
        std::array<Port, kPorts> ports{};
    };

    void buildStrip(int board, QWidget *parent);
    void recolourPort(int board, int port);
    void applyHeight();
    const Port *portAt(int board, int port) const;

    std::array<Board, kBoards> m_boards{};
    core::OltPicture m_picture;
    // board * kPorts + port of the ports in an outage.
    QSet<int> m_outagePorts;
    QTimer m_blinkTimer;
    QTimer m_menuHideTimer;
    bool m_blinkOn = false;
    bool m_expanded = false;
    int m_availableHeight = 0;
    int m_menuBoard = -1;
    int m_menuPort = -1;
};

} // namespace tervix::signal
