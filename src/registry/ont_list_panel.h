#pragma once

#include "registry/ont_list.h"

#include <QGroupBox>
#include <QList>

#include <array>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableView;

namespace tervix::ui {
class OntListModel;
}

namespace tervix::registry {

// The authorised-ONT group of the main window: the counters strip with its six
// panels, the search button, and two pages, the advanced view ("Zaawansowany")
// and the basic view ("Podstawowy", shown at start). The views show the rows of
// an OntList through list models of their own.
//
// The main window calls load after each login, resetCounters at each
// login, loadColumnWidths once it is ready and saveColumnWidths when it
// closes with a working session open.
class OntListPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit OntListPanel(OntList &list, session::TraceLog *trace = nullptr, QWidget *parent = nullptr);

    // Loads the list of oltKey from appDir (see OntList::load),
    // then sets the caption. When the list must be imported, importNeeded is
    // emitted (the import window opens on it).
    OntList::LoadResult load(const QString &appDir, const QString &oltKey);

    // The caption's prefix (a language file may change it) and the caption built from it.
    void setListCaptionPrefix(const QString &prefix);
    void refreshCaption();

    // The counters strip as every login leaves it: "All: 0", the critical
    // panel in its start colour with "Critical Signal: 0!", "Bad Signal: 0!".
    void resetCounters();
    // The captions of a recount, and the critical panel's colour (BGR) as it blinks.
    void showCounts(const QString &all, const QString &online, const QString &offline, const QString &bad,
                    const QString &critical, const QString &disabled);
    void setCriticalColour(int bgr);

    // "d-size.ph": the widths of advancedView's columns but the last. Writing reports
    // nothing (the window is closing) and returns whether the file was written.
    bool saveColumnWidths(const QString &appDir);
    void loadColumnWidths(const QString &appDir);

    // Pop-up menus. advancedMenu belongs to advancedView, basicMenu to basicView; both list the same
    // items in the same order. An item is installed into its position of advancedMenu
    // with its handler, which reads the selected advancedView row (selectedAdvancedRow);
    // basicMenu gets the twin item at the same position, which does nothing without
    // a selected basicView row and otherwise selects the advancedView row of the same index
    // and runs the advancedMenu item. The slot report's twin runs it whatever the selection.
    enum MenuItem { Edit = 0, Delete = 1, Diagnose = 2, Chart = 3, SlotReport = 4, OntConfiguration = 5 };
    static constexpr int kMenuItems = 6;
    QAction *setMenuItem(MenuItem item, const QString &caption, std::function<void()> handler);

    // The selected rows (-1 for none) and selecting one (shown and scrolled to).
    int selectedAdvancedRow() const;
    int selectedBasicRow() const;
    void selectAdvancedRow(int row);
    void selectBasicRow(int row);

    QWidget *countersStrip = nullptr;
    QLabel *allCounter = nullptr; // All
    QLabel *disabledCounter = nullptr; // Disabled ONT
    QLabel *criticalCounter = nullptr; // Critical Signal
    QLabel *badCounter = nullptr; // Bad Signal
    QLabel *onlineCounter = nullptr; // Online
    QLabel *offlineCounter = nullptr; // Offline
    QPushButton *criticalListButton = nullptr;   // "?" on the critical panel
    QPushButton *searchButton = nullptr;  // "Uruchom wyszukiwarke"
    QTabWidget *viewPages = nullptr;
    QTableView *advancedView = nullptr;
    QTableView *basicView = nullptr;
    QMenu *advancedMenu = nullptr;
    QMenu *basicMenu = nullptr;

    // Start colour of the critical panel (BGR 12440319).
    static constexpr int kCriticalStartBgr = 12440319;
    static void setBackground(QLabel *panel, const QColor &background);

Q_SIGNALS:
    void importNeeded();
    void searchRequested();       // searchButton: open the search box
    void criticalListRequested(); // criticalListButton

private:
    void buildStrip();
    void buildViews();
    void rebuildMenu(QMenu *menu, const std::array<QAction *, kMenuItems> &items);
    void forward(MenuItem item);

    OntList &m_list;
    ui::OntListModel *m_advancedModel = nullptr;
    ui::OntListModel *m_basicModel = nullptr;
    session::TraceLog *m_trace;
    QString m_captionPrefix;
    std::array<QAction *, kMenuItems> m_advancedMenuItems{};
    std::array<QAction *, kMenuItems> m_basicMenuItems{};
};

} // namespace tervix::registry
