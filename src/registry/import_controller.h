#pragma once

#include "core/import_listing.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>

#include <functional>
#include <memory>

namespace tervix::provisioning {
class ControllerContext;
}

namespace tervix::registry {

// The import of the authorised-ONT list from the OLT: three listings of one
// frame read through the main session ("display ont info F all",
// "display service-port all", "btv" + "display igmp user all"), assembled
// into one row per ONT, and, when the operator applies it, put in place of
// the list.
//
// The operator's list is never lost to a bad import: a listing cut by a drop,
// a stall or a refusal fails the import with its reason; an import whose
// listings disagree is refused with what disagreed; applying asks with the
// old and new counts, keeps a dated copy of the data file beside it, carries
// what only the list knows over to the same ONTs, and the import is
// forgotten when its window closes.
class ImportController : public QObject
{
    Q_OBJECT
public:
    enum class Stage { Idle, Onts, ServicePorts, Igmp, Ready, Failed };

    struct Hooks
    {
        std::function<void()> stopScan;  // before the list is replaced
        std::function<void()> startScan; // after
    };

    explicit ImportController(provisioning::ControllerContext &context, QObject *parent = nullptr);
    ~ImportController() override;

    Hooks &hooks() { return m_hooks; }

    // "Pobierz wszystkie koncowki z OLT!": reads frame `frame`. False (and a
    // box) without a working session or with a frame that is not 1-3 digits.
    bool start(const QString &frame);
    // "Dodaj i uaktualnij koncowki na mojej liscie dodanych!". The new list is
    // worked out on a thread of its own (tens of thousands of rows must not
    // hold the console), then the operator is asked; applied() tells the end.
    // False when the import cannot be applied at all (a box says why).
    bool apply();
    bool applying() const { return m_applying; }
    // The window closed: the import is forgotten, and one still reading stops.
    void discard();

    Stage stage() const { return m_stage; }
    bool reading() const { return m_stage == Stage::Onts || m_stage == Stage::ServicePorts || m_stage == Stage::Igmp; }
    // The rows read so far (empty before the first listing).
    const std::vector<core::ImportRow> &rows() const;
    // Why the import cannot be applied: the listings' own checks, or how the
    // reading failed.
    QStringList problems() const;

    // The counters' comparison of the list with the OLT: the import window
    // offers a synchronisation when they disagree (unless told not to).
    void compareCounts(int listCount, int oltCount);
    void setPromptHidden(bool hidden) { m_promptHidden = hidden; }
    bool promptHidden() const { return m_promptHidden; }

Q_SIGNALS:
    void stageChanged(Stage stage);
    void rowsChanged();
    void applyEnabled(bool enabled);
    void failed(const QString &reason);
    // The synchronisation offer: the two counts and the control line.
    void promptRequested(int listCount, int oltCount, const QString &control);
    // The window may close: applied, or the counts agree again.
    void closeRequested();
    // An apply ended: the list was replaced, or not (refused, declined, failed).
    void applied(bool replaced);

private:
    void readOnts(const QString &listing);
    void readServicePorts(const QString &listing);
    void readIgmp(const QString &listing);
    void setStage(Stage stage);
    void fail(const QString &reason);
    void restartStallTimer();
    void finishApply(core::ImportResult result);
    void parseAside(std::function<void(core::ImportList &)> read, std::function<void()> then);
    void endApply(bool replaced);

    provisioning::ControllerContext &m_context;
    Hooks m_hooks;
    std::unique_ptr<core::ImportList> m_import;
    Stage m_stage = Stage::Idle;
    QString m_failure;
    QTimer m_stall;
    bool m_promptHidden = false;
    bool m_promptShown = false;
    bool m_applying = false;
    bool m_listChangedWhileApplying = false;
    quint64 m_parseGeneration = 0;
    QThreadPool m_worker;
};

} // namespace tervix::registry
