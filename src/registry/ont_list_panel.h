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

namespace tervix::registry {

// The list group gb_dodane of the main window: the counters strip Panel1 with
// its six panels, the search button, and the page control a1_pg_dodane with
// the advanced view lv1 ("Zaawansowany") and the basic view lv1b
// ("Podstawowy", shown at start). The views show the rows of an OntList.
//
// The main window calls odczytaj1 after each login, resetujLiczniki at each
// login, odczytaj_wielkosc_lv1 once it is ready and zapisz_wielkosc_lv1 when it
// closes with a working session open.
class OntListPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit OntListPanel(OntList &list, session::TraceLog *trace = nullptr, QWidget *parent = nullptr);

    // odczytaj1: loads the list of oltKey from appDir (see OntList::odczytaj1),
    // then sets the caption. When the list must be imported, importNeeded is
    // emitted (the import window opens on it).
    OntList::Odczyt odczytaj1(const QString &appDir, const QString &oltKey);

    // list_caption_prefix (language key 12) and the caption built from it.
    void setListCaptionPrefix(const QString &prefix);
    void odswiezNaglowek();

    // The counters strip as every login leaves it: "All: 0", the critical
    // panel in its start colour with "Critical Signal: 0!", "Bad Signal: 0!".
    void resetujLiczniki();

    // "d-size.ph": the widths of lv1's columns but the last. Writing reports
    // nothing (the window is closing) and returns whether the file was written.
    bool zapisz_wielkosc_lv1(const QString &appDir);
    void odczytaj_wielkosc_lv1(const QString &appDir);

    // Pop-up menus. pop2 belongs to lv1, pop2b to lv1b; both list the same
    // items in the same order. An item is installed into its position of pop2
    // with its handler, which reads the selected lv1 row (wybranyWierszLv1);
    // pop2b gets the twin item at the same position, which does nothing without
    // a selected lv1b row and otherwise selects the lv1 row of the same index
    // and runs the pop2 item. The slot report's twin runs it whatever the selection.
    enum Pop2Pozycja { Edytuj = 0, Usun = 1, Diagnozuj = 2, Wykres = 3, RaportSlot = 4, Konfiguracja = 5 };
    static constexpr int kPop2Pozycje = 6;
    QAction *ustawPozycjePop2(Pop2Pozycja pozycja, const QString &caption, std::function<void()> handler);

    // The selected rows (-1 for none) and selecting one (shown and scrolled to).
    int wybranyWierszLv1() const;
    int wybranyWierszLv1b() const;
    void zaznaczWierszLv1(int row);
    void zaznaczWierszLv1b(int row);

    // Controls with their historical names.
    QWidget *Panel1 = nullptr;
    QLabel *a1_p_st1 = nullptr; // All
    QLabel *a1_p_st6 = nullptr; // Disabled ONT
    QLabel *a1_p_st2 = nullptr; // Critical Signal
    QLabel *a1_p_st5 = nullptr; // Bad Signal
    QLabel *a1_p_st3 = nullptr; // Online
    QLabel *a1_p_st4 = nullptr; // Offline
    QPushButton *a1_bt3 = nullptr;   // "?" on the critical panel
    QPushButton *Button1 = nullptr;  // "Uruchom wyszukiwarke"
    QTabWidget *a1_pg_dodane = nullptr;
    QTableView *lv1 = nullptr;
    QTableView *lv1b = nullptr;
    QMenu *pop2 = nullptr;
    QMenu *pop2b = nullptr;

    // Start colour of the critical panel (BGR 12440319).
    static constexpr int kKrytycznyStartBgr = 12440319;
    static void ustawTlo(QLabel *panel, const QColor &background);

Q_SIGNALS:
    void importNeeded();
    void searchRequested();       // Button1: open the search box
    void criticalListRequested(); // a1_bt3

private:
    void buildStrip();
    void buildViews();
    void rebuildMenu(QMenu *menu, const std::array<QAction *, kPop2Pozycje> &items);
    void forward(Pop2Pozycja pozycja);

    OntList &m_list;
    session::TraceLog *m_trace;
    QString m_captionPrefix;
    std::array<QAction *, kPop2Pozycje> m_pop2Items{};
    std::array<QAction *, kPop2Pozycje> m_pop2bItems{};
};

} // namespace tervix::registry
