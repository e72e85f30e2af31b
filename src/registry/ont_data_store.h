#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tervix::registry {

// Where the list's files live and how they are written. Every rewrite goes to
// a temporary file beside the target and is renamed over it, so a crash or a
// kill during a save leaves the old or the new file, never a torn one.

// The path of file `name` directly inside appDir; empty when the name could
// reach anywhere else (separators, a drive or a parent reference) or is empty.
QString fileInFolder(const QString &appDir, const QString &name);
// "data-" + oltKey + ".ph" inside appDir; empty for an empty or unsafe key.
QString dataFilePath(const QString &appDir, const QString &oltKey);
// "d-size.ph" inside appDir.
QString columnWidthsFilePath(const QString &appDir);

struct WriteResult
{
    bool ok = false;
    QString error; // the system's reason when not ok
};
WriteResult writeAtomically(const QString &path, const QByteArray &bytes);

// The whole file, or nothing when it cannot be opened.
std::optional<QByteArray> readWholeFile(const QString &path);

} // namespace tervix::registry
