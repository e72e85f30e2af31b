#pragma once

#include <QWidget>

class QVBoxLayout;

namespace tervix::signal {

class OltViewPanel;

// The window of the undocked OLT picture. While it holds the picture the
// operator cannot close it (the picture would be lost with it); "/" on the
// picture brings it back to the main window instead. When the program ends,
// the main window allows the close first, so that ending the program is
// never held up by this window.
class OltViewWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kClientWidth = 754;
    static constexpr int kMostHeight = 800;

    explicit OltViewWindow(QWidget *parent = nullptr);

    // Takes the picture into this window and shows the window.
    void host(OltViewPanel *panel);
    // Gives the picture back (unparented, for the caller to place) and
    // hides the window; nullptr when it holds none.
    OltViewPanel *release();
    OltViewPanel *hosted() const { return m_panel; }

    void setClosingAllowed(bool allowed) { m_closingAllowed = allowed; }
    bool closingAllowed() const { return m_closingAllowed; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void fitHeight(int panelHeight);

    QVBoxLayout *m_layout = nullptr;
    OltViewPanel *m_panel = nullptr;
    bool m_closingAllowed = false;
};

} // namespace tervix::signal
