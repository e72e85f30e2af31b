#include "signal/signal_history_store.h"

#include "registry/ont_data_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tervix::signal {

namespace {

// What is at a path: nothing, a readable file and its bytes, or something
// that must not be replaced (unreadable, or not a plain file).
struct FileRead
{
    core::HistoryFileState state = core::HistoryFileState::Absent;
    QByteArray bytes;
};

FileRead readFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    if (!info.isFile())
        return {core::HistoryFileState::Unreadable, {}};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {core::HistoryFileState::Unreadable, {}};
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return {core::HistoryFileState::Unreadable, {}};
    return {core::HistoryFileState::Read, bytes};
}

} // namespace

SignalHistoryStore::SignalHistoryStore(QString dataDir)
    : m_dataDir(std::move(dataDir))
{
}

QString SignalHistoryStore::folderOf(const QString &oltKey) const
{
    return registry::fileInFolder(m_dataDir, oltKey);
}

QString SignalHistoryStore::fileOf(const QString &oltKey, const QString &frame, const QString &slot,
                                   const QString &port, const QString &ontId) const
{
    const QString folder = folderOf(oltKey);
    const std::optional<QString> name = core::historyFileName(frame, slot, port, ontId);
    if (folder.isEmpty() || !name)
        return {};
    return registry::fileInFolder(folder, *name);
}

QString SignalHistoryStore::historyPath(const QString &oltKey, const QString &ontKey) const
{
    const QStringList parts = ontKey.split(u'.');
    if (parts.size() != 4)
        return {};
    return fileOf(oltKey, parts[0], parts[1], parts[2], parts[3]);
}

SignalHistoryStore::RecordResult SignalHistoryStore::record(const QString &oltKey, const QString &frame,
                                                            const QString &slot, const QString &port,
                                                            const QString &ontId, const core::OpticalLevels &levels,
                                                            QDate today) const
{
    using Outcome = RecordResult::Outcome;
    const QString path = fileOf(oltKey, frame, slot, port, ontId);
    if (path.isEmpty()) {
        return {Outcome::Refused, QStringLiteral("no history file may be named for OLT '%1', ONT %2/%3/%4/%5")
                                      .arg(oltKey, frame, slot, port, ontId)};
    }
    const FileRead found = readFile(path);
    const core::HistoryUpdate update = core::updateHistory(found.state, found.bytes, today, levels);
    switch (update.action) {
    case core::HistoryUpdate::Action::Keep:
        return {Outcome::Kept, {}};
    case core::HistoryUpdate::Action::Refuse:
        return {Outcome::Refused, path + QStringLiteral(": ") + update.error};
    case core::HistoryUpdate::Action::Write:
        break;
    }
    // The scan normally makes the OLT's folder when a pass starts; a reading
    // that comes first still has somewhere to go.
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return {Outcome::Refused, folder + QStringLiteral(": the folder could not be made")};
    const registry::WriteResult written = registry::writeAtomically(path, update.bytes);
    if (!written.ok)
        return {Outcome::Refused, path + QStringLiteral(": ") + written.error};
    return {Outcome::Written, {}};
}

SignalHistoryStore::Loaded SignalHistoryStore::load(const QString &oltKey, const QString &ontKey) const
{
    using State = Loaded::State;
    const QString path = historyPath(oltKey, ontKey);
    if (path.isEmpty())
        return {};
    const FileRead found = readFile(path);
    switch (found.state) {
    case core::HistoryFileState::Absent:
        return {};
    case core::HistoryFileState::Unreadable:
        return {State::Unreadable, {}};
    case core::HistoryFileState::Read:
        break;
    }
    std::optional<core::History> history = core::parseHistory(found.bytes);
    if (!history)
        return {State::NoHeader, {}};
    return {State::Read, std::move(*history)};
}

} // namespace tervix::signal
