#pragma once

#include "core/ont_record.h"
#include "core/ont_state_listing.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

#include <vector>

class QWidget;

namespace tervix::session {
class TraceLog;
}

namespace tervix::registry {

// The authorised-ONT list of the current OLT: the one owner of the rows that
// the advanced view and the basic view show. Both views read the same
// core::OntRecord of a row, and every add, remove, clear and change goes through
// here, so row i of one view always describes row i of the other.
//
// Stored fields (all but the signal reading) pass through core::storableField
// on their way in, so no text from the form, the OLT or the sibling program can
// split or end a record of the data file.
//
// Adding an ONT (the add form) is one row and one save:
//   list.add(core::addedOntRow(values));
//   list.save();
//   panel.refreshCaption();   // the caption counts the new row
//
// Saving rewrites "data-<oltKey>.ph" in the application folder
// atomically. A failed write keeps the list in memory, returns false and is
// reported to the operator through the dialog service once, until a save of
// that file succeeds again; saveFailed is emitted every time.
class OntList : public QObject
{
    Q_OBJECT
public:
    explicit OntList(session::TraceLog *trace = nullptr, QObject *parent = nullptr);
    ~OntList() override;

    // ---- Reading ---------------------------------------------------------
    int size() const { return int(m_rows.size()); }
    bool isValidRow(int row) const { return row >= 0 && row < size(); }
    const std::vector<core::OntRecord> &rows() const { return m_rows; }
    // The record of a row; an empty record for a row out of range.
    const core::OntRecord &record(int row) const;

    // ---- Changing (each change is announced by the signals below) ---------
    // Appends a row; returns its index. Build a new row with
    // core::initBasicTexts (or core::addedOntRow). The caller saves when done.
    int add(core::OntRecord row);
    // Removes row i from both views; out-of-range indexes are ignored.
    void remove(int row);
    // Empties both views.
    void clear();
    // Replaces the whole list at once (a rebuild such as the import): one
    // reset of both views whatever the number of rows.
    void replaceAll(std::vector<core::OntRecord> rows);
    // Replaces one row; both views redraw it. Out-of-range rows are ignored.
    void setRecord(int row, core::OntRecord replacement);
    // Change one field of a row; out-of-range rows are ignored.
    void setLevels(int row, const QString &levels);
    void setActive(int row, const QString &active);
    void setSignal(int row, const QString &signalCell, const QString &signalClass);
    void setImage(int row, int image);
    void setBasicImage(int row, int image);

    // ---- The OLT's state listing ------------------------------------------
    // Shows what one "display ont info F all" says of the listed ONTs: every
    // row whose SN/MAC (any letter case) is listed gets the online (2) or
    // offline (3) image in both views; a row never measured (levels "-") also
    // gets the tile text of that state, while a measured row keeps the text
    // its signal class gave it. ONTs the list does not hold are only counted.
    // The views hear of it once, as one range of changed rows. Returns the
    // number of listed ONTs found in the list.
    //
    // The OLT's ONT count is taken from a whole listing that lists at least
    // one ONT; a listing cut short, or one without any ONT, leaves it as it was.
    int applyStateListing(const core::StateListing &listing);
    // The OLT's ONT count as the last whole state listing gave it; 0 until
    // then and after a change of OLT.
    int oltOntCount() const { return m_oltOntCount; }
    // Rows that stand for an ONT, that is every row but the freed ones, for
    // comparing the list with the OLT's count.
    int occupiedRowCount() const;

    // The tile texts of an unmeasured row after a state listing.
    static QString onlineTileText(const QString &ponType);
    static QString offlineTileText(const QString &ponType);

    // ---- Incomplete rows -------------------------------------------------
    // An ONT the OLT authorised while it refused some of the rest of its
    // batch (a service port, a native VLAN) is listed all the same, marked
    // with what was refused until the row goes or the list is replaced. The
    // mark is only shown; the data file never holds it.
    void markIncomplete(int row, const QString &note);
    // The mark of a row, empty when it has none.
    QString incompleteNote(int row) const;

    // ---- The data file ---------------------------------------------------
    // The folder and OLT whose file save writes; set by load.
    void setFile(const QString &appDir, const QString &oltKey);
    QString oltKey() const { return m_oltKey; }
    QString filePath() const;

    enum class LoadResult {
        Loaded,      // rows loaded (and the file rewritten)
        NoFile,     // no file for this OLT: the list must be imported
        NoRecords,  // a file without any record: the list must be imported
        EmptyList,    // loaded, but no row came out of it: the list must be imported
        Unreadable,   // the file is there but could not be opened
    };
    // Empties the list, then loads the file of
    // oltKey from appDir (one reset of both views) and rewrites it in the
    // current form. importNeeded is emitted for every result but Loaded and
    // Unreadable. A file that cannot be opened is reported to the operator
    // and, until a later load gets past opening it, never written over:
    // importing or saving then would replace the operator's list with a thinner one.
    LoadResult load(const QString &appDir, const QString &oltKey);

    // Writes the file of the current OLT from the records and stops the
    // deferred save. Returns false when nothing was written (no OLT yet, the
    // file could not be read at login, or the write failed).
    bool save();

    // The deferred save, five minutes after the last restart.
    // Changes made in bursts (automation) restart it instead of saving.
    void restartDeferredSave();
    QTimer &deferredSaveTimer() { return m_deferredSave; }

    // Where the write-failure box is parented.
    void setDialogParent(QWidget *w);

Q_SIGNALS:
    void importNeeded();
    void saveFailed(const QString &path, const QString &reason);

    // What the list models follow, as a table model announces its changes:
    // every "about to" signal is followed by its completion.
    void rowsAboutToBeInserted(int first, int last);
    void rowsInserted();
    void rowsAboutToBeRemoved(int first, int last);
    void rowsRemoved();
    void aboutToBeReset();
    void reset();
    // What of a row the views must redraw.
    void advancedRowChanged(int row);
    void advancedCellChanged(int row, int column);
    void basicRowChanged(int row);
    // Rows first..last changed in both views (a whole listing applied at once).
    void rowsChanged(int first, int last);
    // A state listing was applied; wentOffline counts, per port "F/S/P", the
    // listed ONTs it turned from online to offline.
    void stateListingApplied(const QHash<QString, int> &wentOffline);

private:
    static void neutraliseStoredFields(core::OntRecord &row);
    void reportSaveFailure(const QString &path, const QString &reason);
    void reportReadFailure(const QString &path);

    session::TraceLog *m_trace;
    std::vector<core::OntRecord> m_rows;
    QString m_appDir;
    QString m_oltKey;
    // Marks of incomplete rows by their MAC/SN, which a row keeps however
    // the rows before it come and go.
    QHash<QString, QString> m_incomplete;
    // The data file that could not be opened at the last load; save
    // leaves it alone.
    QString m_unreadableFile;
    QTimer m_deferredSave;
    QWidget *m_dialogParent = nullptr;
    bool m_failureReported = false;
    int m_oltOntCount = 0;
};

} // namespace tervix::registry
