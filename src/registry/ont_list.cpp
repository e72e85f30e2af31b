#include "registry/ont_list.h"

#include "core/ont_data_file.h"
#include "core/timing.h"
#include "registry/ont_data_store.h"
#include "session/trace_log.h"
#include "ui/dialog_service.h"

#include <QFileInfo>

#include <algorithm>

#include <optional>

namespace tervix::registry {

using core::OntRecord;

OntList::OntList(session::TraceLog *trace, QObject *parent)
    : QObject(parent)
    , m_trace(trace)
{
    m_deferredSave.setSingleShot(true);
    m_deferredSave.setInterval(timing::scaled(timing::kDeferredSaveMs));
    connect(&m_deferredSave, &QTimer::timeout, this, [this] { save(); });
}

OntList::~OntList() = default;

const OntRecord &OntList::record(int row) const
{
    static const OntRecord kNone;
    return isValidRow(row) ? m_rows[size_t(row)] : kNone;
}

void OntList::neutraliseStoredFields(OntRecord &row)
{
    for (QString OntRecord::*m : core::kStoredMembers)
        row.*m = core::storableField(row.*m);
}

int OntList::add(OntRecord row)
{
    neutraliseStoredFields(row);
    const int at = size();
    Q_EMIT rowsAboutToBeInserted(at, at);
    m_rows.push_back(std::move(row));
    Q_EMIT rowsInserted();
    return at;
}

void OntList::remove(int row)
{
    if (!isValidRow(row))
        return;
    Q_EMIT rowsAboutToBeRemoved(row, row);
    m_incomplete.remove(m_rows[size_t(row)].serialOrMac);
    m_rows.erase(m_rows.begin() + row);
    Q_EMIT rowsRemoved();
}

void OntList::clear()
{
    replaceAll({});
}

void OntList::replaceAll(std::vector<OntRecord> rows)
{
    for (OntRecord &r : rows)
        neutraliseStoredFields(r);
    Q_EMIT aboutToBeReset();
    m_incomplete.clear();
    m_rows = std::move(rows);
    Q_EMIT reset();
}

void OntList::setRecord(int row, OntRecord replacement)
{
    if (!isValidRow(row))
        return;
    neutraliseStoredFields(replacement);
    m_rows[size_t(row)] = std::move(replacement);
    Q_EMIT advancedRowChanged(row);
    Q_EMIT basicRowChanged(row);
}

void OntList::markIncomplete(int row, const QString &note)
{
    if (!isValidRow(row))
        return;
    m_incomplete.insert(m_rows[size_t(row)].serialOrMac, note);
    Q_EMIT advancedRowChanged(row);
    Q_EMIT basicRowChanged(row);
}

QString OntList::incompleteNote(int row) const
{
    return isValidRow(row) ? m_incomplete.value(m_rows[size_t(row)].serialOrMac) : QString();
}

void OntList::setLevels(int row, const QString &levels)
{
    if (!isValidRow(row))
        return;
    // The reading is never stored, so it is shown as the OLT gave it.
    m_rows[size_t(row)].levels = levels;
    Q_EMIT advancedCellChanged(row, core::Column::Levels);
}

void OntList::setActive(int row, const QString &active)
{
    if (!isValidRow(row))
        return;
    m_rows[size_t(row)].active = core::storableField(active);
    Q_EMIT advancedCellChanged(row, core::Column::Active);
    Q_EMIT basicRowChanged(row);
}

void OntList::setSignal(int row, const QString &signalCell, const QString &signalClass)
{
    if (!isValidRow(row))
        return;
    OntRecord &r = m_rows[size_t(row)];
    r.signalCell = signalCell;
    r.signalClass = signalClass;
    Q_EMIT basicRowChanged(row);
}

void OntList::setImage(int row, int image)
{
    if (!isValidRow(row))
        return;
    m_rows[size_t(row)].image = image;
    Q_EMIT advancedRowChanged(row);
}

void OntList::setBasicImage(int row, int image)
{
    if (!isValidRow(row))
        return;
    m_rows[size_t(row)].basicImage = image;
    Q_EMIT basicRowChanged(row);
}

int OntList::applyStateListing(const core::StateListing &listing)
{
    // One look-up table per listing: a scan of the list for every listed ONT
    // would make a 32k-ONT OLT cost a billion comparisons.
    QHash<QString, int> rowOf;
    rowOf.reserve(size());
    for (int i = 0; i < size(); ++i) {
        const QString key = m_rows[size_t(i)].serialOrMac.toLower();
        if (!key.isEmpty() && !rowOf.contains(key))
            rowOf.insert(key, i);
    }

    int found = 0;
    int first = -1;
    int last = -1;
    QHash<QString, int> wentOffline;
    const core::OntStates &states = listing.states;
    for (size_t k = 0; k < states.size(); ++k) {
        const auto it = rowOf.constFind(states.serialOrMac(k).toString().toLower());
        if (it == rowOf.cend())
            continue;
        ++found;
        const int i = it.value();
        OntRecord &r = m_rows[size_t(i)];
        const bool online = states.online(k);
        const int image = online ? core::RowImage::Online : core::RowImage::Offline;
        if (!online && r.basicImage == core::RowImage::Online)
            ++wentOffline[r.frame + u'/' + r.slot + u'/' + r.port];
        r.image = image;
        r.basicImage = image;
        // A measured row shows its signal class; only a row never measured
        // takes its text from the state.
        if (r.levels == QLatin1String("-"))
            r.signalCell = online ? onlineTileText(r.ponType) : offlineTileText(r.ponType);
        first = first < 0 ? i : std::min(first, i);
        last = std::max(last, i);
    }
    if (first >= 0)
        Q_EMIT rowsChanged(first, last);

    if (listing.whole && listing.count > 0)
        m_oltOntCount = listing.count;
    Q_EMIT stateListingApplied(wentOffline);
    return found;
}

int OntList::occupiedRowCount() const
{
    return int(std::count_if(m_rows.begin(), m_rows.end(),
                             [](const OntRecord &r) { return r.name != QLatin1String("--WOLNY--"); }));
}

QString OntList::onlineTileText(const QString &ponType)
{
    return ponType + QStringLiteral("\n> Signal Normal\nONT: ? OLT: ?");
}

QString OntList::offlineTileText(const QString &ponType)
{
    return ponType + QStringLiteral("\n> OFF ONT\nONT: off OLT: off");
}

void OntList::setFile(const QString &appDir, const QString &oltKey)
{
    if (appDir != m_appDir || oltKey != m_oltKey)
        m_failureReported = false;
    // The count belongs to the OLT it was read from.
    if (oltKey != m_oltKey)
        m_oltOntCount = 0;
    m_appDir = appDir;
    m_oltKey = oltKey;
}

QString OntList::filePath() const
{
    return dataFilePath(m_appDir, m_oltKey);
}

OntList::LoadResult OntList::load(const QString &appDir, const QString &oltKey)
{
    clear();
    setFile(appDir, oltKey);
    m_unreadableFile.clear();
    const QString path = filePath();
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        Q_EMIT importNeeded();
        return LoadResult::NoFile;
    }

    // A file that is there but cannot be opened still holds the operator's
    // list: importing over it or saving the (now empty) list would lose it.
    const std::optional<QByteArray> bytes = readWholeFile(path);
    if (!bytes) {
        m_unreadableFile = path;
        reportReadFailure(path);
        return LoadResult::Unreadable;
    }

    const QString text = core::decodeDataFile(*bytes);
    const core::DataFileContent d = core::parseDataFile(text);
    if (!d.hasRecords) {
        Q_EMIT importNeeded();
        return LoadResult::NoRecords;
    }
    replaceAll(core::rowsFromRecords(d.records));

    const bool empty = m_rows.empty();
    if (empty)
        Q_EMIT importNeeded();
    // The file is written back at once, so it always stands in the current form.
    save();
    return empty ? LoadResult::EmptyList : LoadResult::Loaded;
}

bool OntList::save()
{
    m_deferredSave.stop();
    if (m_trace)
        m_trace->add(QStringLiteral("a13"));
    // Before the first login there is no OLT and nothing to write.
    if (m_oltKey.isEmpty())
        return false;
    const QString path = filePath();
    if (!path.isEmpty() && path == m_unreadableFile) {
        reportSaveFailure(path,
                          QStringLiteral("Plik nie dal sie odczytac przy logowaniu i nie jest nadpisywany / "
                                         "The file could not be read at login and is not written over."));
        return false;
    }
    const WriteResult w = writeAtomically(path, core::encodeDataFile(core::dataFileText(m_rows)));
    if (!w.ok) {
        reportSaveFailure(path.isEmpty() ? QStringLiteral("data-") + m_oltKey + QStringLiteral(".ph") : path, w.error);
        return false;
    }
    m_failureReported = false;
    if (m_trace)
        m_trace->add(QStringLiteral("a13-end"));
    return true;
}

void OntList::restartDeferredSave()
{
    m_deferredSave.stop();
    m_deferredSave.setInterval(timing::scaled(timing::kDeferredSaveMs));
    m_deferredSave.start();
}

void OntList::setDialogParent(QWidget *w)
{
    m_dialogParent = w;
}

void OntList::reportSaveFailure(const QString &path, const QString &reason)
{
    Q_EMIT saveFailed(path, reason);
    if (m_failureReported)
        return;
    m_failureReported = true;
    ui::DialogService::instance().error(
        m_dialogParent,
        QStringLiteral("Blad zapisu!"),
        QStringLiteral("Nie udalo sie zapisac listy ONT do pliku / The ONT list could not be saved to the file:\n%1\n\n%2\n\n"
                       "Lista w programie pozostaje bez zmian / The list in the program is kept.")
            .arg(path, reason));
}

void OntList::reportReadFailure(const QString &path)
{
    ui::DialogService::instance().error(
        m_dialogParent,
        QStringLiteral("Blad odczytu!"),
        QStringLiteral("Nie udalo sie odczytac listy ONT z pliku / The ONT list could not be read from the file:\n%1\n\n"
                       "Plik nie zostanie nadpisany; po usunieciu przyczyny zaloguj sie ponownie / "
                       "The file will not be written over; log in again once the cause is removed.")
            .arg(path));
}

} // namespace tervix::registry
