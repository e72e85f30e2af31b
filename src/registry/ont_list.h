#pragma once

#include "core/ont_list_row.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <vector>

class QWidget;

namespace tervix::session {
class TraceLog;
}
namespace tervix::ui {
class OntListModel;
}

namespace tervix::registry {

// The authorised-ONT list of the current OLT: the one owner of the rows that
// the advanced view lv1 and the basic view lv1b show. Row i of lv1b always
// describes row i of lv1 because both are halves of the same OntListRow, and
// every add, remove and clear goes through here.
//
// Stored lv1 columns (all but the signal reading) pass through
// core::ont_data_pole on their way in, so no text from the form, the OLT or the
// sibling program can split or end a record of the data file.
//
// Adding an ONT (the add form) is one row and one save:
//   core::OntListRow r;
//   r.lv1 = {"+", type, frame, slot, port, id, name, macSn, lineProfile,
//            srvProfile, vlanField, "-", catvAttribute, subscriberId, active};
//   r.lv1b = core::wierszBasic(r.lv1, QString(), QStringLiteral("Opis"));
//   r.imageB = core::obraz::Dodany;
//   list.dodaj(std::move(r));
//   list.zapisz1();
//   panel.odswiezNaglowek();   // the caption counts the new row
//
// Saving (zapisz1) rewrites "data-<olt_key>.ph" in the application folder
// atomically. A failed write keeps the list in memory, returns false and is
// reported to the operator through the dialog service once, until a save of
// that file succeeds again; saveFailed is emitted every time.
class OntList : public QObject
{
    Q_OBJECT
public:
    explicit OntList(session::TraceLog *trace = nullptr, QObject *parent = nullptr);
    ~OntList() override;

    ui::OntListModel *lv1() const { return m_lv1; }
    ui::OntListModel *lv1b() const { return m_lv1b; }

    // ---- Reading ---------------------------------------------------------
    int rozmiar() const { return int(m_rows.size()); }
    bool poprawnyWiersz(int row) const { return row >= 0 && row < rozmiar(); }
    const std::vector<core::OntListRow> &wiersze() const { return m_rows; }
    // A cell of lv1 / lv1b; empty text for a row or column out of range.
    QString komorka(int row, int col) const;
    QString komorkaB(int row, int col) const;

    // ---- Changing (each change is shown by both views at once) -----------
    // Appends a row (lv1 and its lv1b twin); returns its index. Build the
    // twin with core::wierszBasic. The caller saves (zapisz1) when done.
    int dodaj(core::OntListRow row);
    // Removes row i from both views; out-of-range indexes are ignored.
    void usun(int row);
    // Empties both views.
    void wyczysc();
    // Replaces the whole list at once (a rebuild such as the import): one
    // reset of both views whatever the number of rows.
    void zastap(std::vector<core::OntListRow> rows);
    // Changes one cell or image; out-of-range rows and columns are ignored.
    void ustawKomorke(int row, int col, const QString &text);
    void ustawKomorkeB(int row, int col, const QString &text);
    void ustawObraz(int row, int image);
    void ustawObrazB(int row, int image);

    // ---- The data file ---------------------------------------------------
    // The folder and OLT whose file zapisz1 writes; set by odczytaj1.
    void ustawPlik(const QString &appDir, const QString &oltKey);
    QString oltKey() const { return m_oltKey; }
    QString sciezkaPliku() const;

    enum class Odczyt {
        Wczytano,      // rows loaded (and the file rewritten)
        BrakPliku,     // no file for this OLT: the list must be imported
        BrakRekordow,  // a file without any record: the list must be imported
        PustaLista,    // loaded, but no row came out of it: the list must be imported
        BladOdczytu,   // the file is there but could not be opened
    };
    // odczytaj1 / odczytaj1_nowe: empties the list, then loads the file of
    // oltKey from appDir (one reset of both views) and rewrites it in the
    // current form. importNeeded is emitted for every result but Wczytano and
    // BladOdczytu. A file that cannot be opened is reported to the operator
    // and, until a later odczytaj1 gets past opening it, never written over:
    // importing or saving then would replace the operator's list with a thinner one.
    Odczyt odczytaj1(const QString &appDir, const QString &oltKey);

    // zapisz1: writes the file of the current OLT from lv1 and stops the
    // deferred save. Returns false when nothing was written (no OLT yet, the
    // file could not be read at login, or the write failed).
    bool zapisz1();

    // a1_tim_zapisz: the deferred save, five minutes after the last restart.
    // Changes made in bursts (automation) restart it instead of saving.
    void a1_tim_zapisz_restart();
    QTimer &a1_tim_zapisz() { return m_timZapisz; }

    // Where the write-failure box is parented.
    void setDialogParent(QWidget *w);

Q_SIGNALS:
    void importNeeded();
    // Load moments the OLT board view hooks into.
    void portCountersResetRequested();
    void portStatisticsRequested();
    void loaded(int rows);
    void saved(const QString &path);
    void saveFailed(const QString &path, const QString &reason);

private:
    static void wejscie(core::OntListRow &row);
    void reportSaveFailure(const QString &path, const QString &reason);
    void reportReadFailure(const QString &path);

    session::TraceLog *m_trace;
    std::vector<core::OntListRow> m_rows;
    ui::OntListModel *m_lv1;
    ui::OntListModel *m_lv1b;
    QString m_appDir;
    QString m_oltKey;
    // The data file that could not be opened at the last odczytaj1; zapisz1
    // leaves it alone.
    QString m_plikNieodczytany;
    QTimer m_timZapisz;
    QPointer<QWidget> m_dialogParent;
    bool m_failureReported = false;
};

} // namespace tervix::registry
