#include "registry/import_controller.h"

#include "core/timing.h"
#include "provisioning/controller_context.h"
#include "registry/ont_list.h"
#include "session/main_steps.h"
#include "session/olt_connection.h"
#include "session/olt_session.h"
#include "session/step_engine.h"

#include <QDateTime>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <memory>

namespace tervix::registry {

using core::PacedLine;
using session::MainStep::kImportIgmp;
using session::MainStep::kImportOnts;
using session::MainStep::kImportServicePorts;

namespace {
const std::vector<core::ImportRow> kNoRows;

bool isImportStep(int code)
{
    return code == kImportOnts || code == kImportServicePorts || code == kImportIgmp;
}
} // namespace

ImportController::ImportController(provisioning::ControllerContext &context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    session::StepEngine &engine = m_context.engine();
    engine.registerPagedBranch(kImportOnts, [this](const QString &listing) { readOnts(listing); });
    engine.registerPagedBranch(kImportServicePorts, [this](const QString &listing) { readServicePorts(listing); });
    engine.registerPagedBranch(kImportIgmp, [this](const QString &listing) { readIgmp(listing); });
    // Every page of a listing is a step of its own: while they come the
    // import is alive.
    connect(&engine, &session::StepEngine::stepRan, this, [this](int code) {
        if (isImportStep(code) && reading())
            restartStallTimer();
    });
    connect(&engine, &session::StepEngine::stepReplaced, this, [this](int code, const QString &) {
        if (isImportStep(code) && reading())
            fail(QStringLiteral("Przerwane przez inne polecenie / Interrupted by another request"));
    });
    connect(&m_context.session().connection(), &session::OltConnection::disconnected, this, [this] {
        if (reading())
            fail(QStringLiteral("Rozlaczono / The line dropped while the OLT was listing"));
    });
    m_worker.setMaxThreadCount(1);
    // Whatever changes the list while the new one is worked out makes that
    // work stale.
    OntList &list = m_context.list();
    for (auto signal : {&OntList::reset, &OntList::rowsInserted, &OntList::rowsRemoved})
        connect(&list, signal, this, [this] { m_listChangedWhileApplying = true; });
    connect(&list, &OntList::advancedRowChanged, this, [this] { m_listChangedWhileApplying = true; });
    connect(&list, &OntList::basicRowChanged, this, [this] { m_listChangedWhileApplying = true; });
    connect(&list, &OntList::advancedCellChanged, this, [this] { m_listChangedWhileApplying = true; });
    m_stall.setSingleShot(true);
    connect(&m_stall, &QTimer::timeout, this, [this] {
        if (reading())
            fail(QStringLiteral("OLT przestal odpowiadac / The OLT stopped answering"));
    });
}

ImportController::~ImportController()
{
    m_worker.waitForDone();
}

const std::vector<core::ImportRow> &ImportController::rows() const
{
    return m_import ? m_import->rows() : kNoRows;
}

QStringList ImportController::problems() const
{
    QStringList p;
    if (!m_failure.isEmpty())
        p << m_failure;
    if (m_import)
        p << m_import->problems();
    return p;
}

void ImportController::setStage(Stage stage)
{
    m_stage = stage;
    Q_EMIT stageChanged(stage);
    Q_EMIT applyEnabled(stage == Stage::Ready);
}

void ImportController::restartStallTimer()
{
    m_stall.start(timing::scaled(timing::kImportStallMs));
}

void ImportController::fail(const QString &reason)
{
    m_stall.stop();
    ++m_parseGeneration;
    m_failure = reason;
    // Pages collected for the import are not handed on, and a step of ours
    // still pending is dropped.
    if (isImportStep(m_context.engine().pending()))
        m_context.engine().cancel();
    setStage(Stage::Failed);
    Q_EMIT failed(reason);
}

bool ImportController::start(const QString &frame)
{
    if (!m_context.isReady()) {
        m_context.notConnectedError();
        return false;
    }
    if (!core::isImportFrame(frame)) {
        m_context.error(QStringLiteral("Blad!"),
                        QStringLiteral("Numer ramy (buda) to 1-3 cyfry / The frame number is 1 to 3 digits."));
        return false;
    }
    m_context.keepAlive();
    m_failure.clear();
    ++m_parseGeneration;
    m_import = std::make_unique<core::ImportList>(frame);
    Q_EMIT rowsChanged();
    setStage(Stage::Onts);
    restartStallTimer();
    m_context.session().send({PacedLine::send(QStringLiteral("display ont info ") + frame + QStringLiteral(" all"), 0, true)});
    m_context.engine().arm(kImportOnts);
    return true;
}

void ImportController::parseAside(std::function<void(core::ImportList &)> read, std::function<void()> then)
{
    // A listing of tens of thousands of ONTs takes tens of milliseconds to
    // read: that is done on the worker thread, with the import handed over to
    // it meanwhile (rows() is empty until it comes back).
    std::shared_ptr<core::ImportList> working(m_import.release());
    Q_EMIT rowsChanged();
    const quint64 generation = ++m_parseGeneration;
    m_worker.start([this, working, read = std::move(read), then = std::move(then), generation] {
        read(*working);
        QMetaObject::invokeMethod(this, [this, working, then, generation] {
            // Started again, discarded or failed meanwhile: this reading is stale.
            if (generation != m_parseGeneration)
                return;
            m_import = std::make_unique<core::ImportList>(std::move(*working));
            Q_EMIT rowsChanged();
            then();
        }, Qt::QueuedConnection);
    });
}

void ImportController::readOnts(const QString &listing)
{
    if (m_stage != Stage::Onts || !m_import)
        return;
    parseAside([listing](core::ImportList &list) { list.readOntListing(listing); }, [this] {
        setStage(Stage::ServicePorts);
        restartStallTimer();
        m_context.session().send({PacedLine::send(QStringLiteral("display service-port all"), 0, true)});
        m_context.engine().arm(kImportServicePorts);
    });
}

void ImportController::readServicePorts(const QString &listing)
{
    if (m_stage != Stage::ServicePorts || !m_import)
        return;
    parseAside([listing](core::ImportList &list) { list.readServicePortListing(listing); }, [this] {
        setStage(Stage::Igmp);
        restartStallTimer();
        m_context.session().send({PacedLine::send(QStringLiteral("btv"), timing::kImportBtvWaitMs, true),
                                  PacedLine::send(QStringLiteral("display igmp user all"), timing::kImportIgmpWaitMs,
                                                  true)});
        m_context.engine().arm(kImportIgmp);
    });
}

void ImportController::readIgmp(const QString &listing)
{
    if (m_stage != Stage::Igmp || !m_import)
        return;
    m_stall.stop();
    // "btv" mode is left again.
    m_context.session().send({PacedLine::send(QStringLiteral("quit"), 0, false)});
    parseAside([listing](core::ImportList &list) { list.readIgmpListing(listing); }, [this] {
        if (!m_import->problems().isEmpty()) {
            m_failure.clear();
            setStage(Stage::Failed);
            Q_EMIT failed(m_import->problems().join(u'\n'));
            return;
        }
        setStage(Stage::Ready);
    });
}

bool ImportController::apply()
{
    if (!m_context.isReady()) {
        m_context.notConnectedError();
        return false;
    }
    if (!m_import || m_import->rows().empty() || m_applying)
        return false;
    if (m_stage != Stage::Ready) {
        const QStringList why = problems();
        m_context.error(QStringLiteral("Import"),
                        QStringLiteral("Import niepelny - lista nie zostala zmieniona / The import is incomplete: "
                                       "the list was not changed.\n")
                            + (why.isEmpty() ? QStringLiteral("Listy z OLT nie zostaly odczytane do konca / "
                                                              "The OLT's listings were not read to the end.")
                                             : why.join(u'\n')));
        return false;
    }
    m_applying = true;
    m_listChangedWhileApplying = false;
    Q_EMIT applyEnabled(false);
    m_worker.start([this, imported = m_import->rows(), current = m_context.list().rows()] {
        core::ImportResult result = core::applyImport(imported, current);
        QMetaObject::invokeMethod(this, [this, result = std::move(result)]() mutable { finishApply(std::move(result)); },
                                  Qt::QueuedConnection);
    });
    return true;
}

void ImportController::endApply(bool replaced)
{
    m_applying = false;
    Q_EMIT applyEnabled(m_stage == Stage::Ready);
    Q_EMIT applied(replaced);
}

void ImportController::finishApply(core::ImportResult result)
{
    if (!m_import) { // discarded meanwhile
        endApply(false);
        return;
    }
    OntList &list = m_context.list();
    // The list changed while the new one was worked out (an ONT added, say):
    // work it out again from the list as it is, so that nothing is lost.
    if (m_listChangedWhileApplying)
        result = core::applyImport(m_import->rows(), list.rows());
    const core::ImportSummary &s = result.summary;
    const QString question =
        QStringLiteral("Twoja lista / Your list: %1 ONT\nOLT: %2 ONT\n"
                       "zachowane dane lokalne / local data kept: %3, nowe / new: %4, usuniete / removed: %5\n\n"
                       "Zastapic liste? / Replace the list?")
            .arg(s.oldCount)
            .arg(s.newCount)
            .arg(s.carried)
            .arg(s.added)
            .arg(s.dropped);
    if (!m_context.askYes(QStringLiteral("Import"), question)) {
        endApply(false);
        return;
    }
    if (m_listChangedWhileApplying) // while the question was open
        result = core::applyImport(m_import->rows(), list.rows());

    // A dated copy of the file being replaced stays beside it.
    const QString path = list.filePath();
    if (!path.isEmpty() && QFile::exists(path)) {
        const QFileInfo info(path);
        const QString backup =
            info.absoluteDir().filePath(core::dataFileBackupName(info.fileName(), QDateTime::currentDateTime()));
        if (!QFile::copy(path, backup)) {
            m_context.error(QStringLiteral("Import"),
                            QStringLiteral("Nie moge zrobic kopii listy - lista nie zostala zmieniona / The list's "
                                           "backup could not be written: the list was not changed.\n")
                                + backup);
            endApply(false);
            return;
        }
    }
    if (m_hooks.stopScan)
        m_hooks.stopScan();
    list.replaceAll(std::move(result.rows));
    m_context.refreshCaption();
    m_import.reset();
    setStage(Stage::Idle);
    Q_EMIT rowsChanged();
    // Saving tens of thousands of rows is a turn of the event loop of its own.
    QTimer::singleShot(0, this, [this] {
        m_context.list().save();
        if (m_hooks.startScan)
            m_hooks.startScan();
        endApply(true);
        Q_EMIT closeRequested();
    });
}

void ImportController::discard()
{
    if (reading()) {
        m_stall.stop();
        if (isImportStep(m_context.engine().pending()))
            m_context.engine().cancel();
    }
    ++m_parseGeneration;
    m_import.reset();
    m_failure.clear();
    m_promptShown = false;
    setStage(Stage::Idle);
    Q_EMIT rowsChanged();
}

void ImportController::compareCounts(int listCount, int oltCount)
{
    // Before the first whole state listing the OLT's count is unknown (0):
    // nothing to compare.
    if (oltCount <= 0)
        return;
    if (listCount == oltCount && rows().empty() && m_promptShown) {
        m_promptShown = false;
        Q_EMIT closeRequested();
        return;
    }
    if (m_promptHidden || listCount == oltCount || int(rows().size()) == oltCount || reading())
        return;
    const QString control = QStringLiteral("olt: %1 lst: %2 ctrl: %3")
                                .arg(oltCount)
                                .arg(listCount)
                                .arg(QRandomGenerator::global()->bounded(1, 10000));
    m_promptShown = true;
    Q_EMIT promptRequested(listCount, oltCount, control);
}

} // namespace tervix::registry
