#include "registry/ont_data_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tervix::registry {

QString fileInFolder(const QString &appDir, const QString &name)
{
    if (appDir.isEmpty() || name.isEmpty() || name == u"." || name == u"..")
        return {};
    for (QChar c : name) {
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 0x20)
            return {};
    }
    const QDir dir(appDir);
    const QString path = QDir::cleanPath(dir.absoluteFilePath(name));
    // Belt and braces: whatever the name, the file must sit in appDir itself.
    if (QFileInfo(path).absolutePath() != QDir::cleanPath(dir.absolutePath()))
        return {};
    return path;
}

QString dataFilePath(const QString &appDir, const QString &oltKey)
{
    if (oltKey.isEmpty())
        return {};
    return fileInFolder(appDir, QStringLiteral("data-") + oltKey + QStringLiteral(".ph"));
}

QString columnWidthsFilePath(const QString &appDir)
{
    return fileInFolder(appDir, QStringLiteral("d-size.ph"));
}

WriteResult writeAtomically(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return {false, QStringLiteral("niedozwolona nazwa pliku / file name not allowed")};
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {false, f.errorString()};
    if (f.write(bytes) != bytes.size()) {
        const QString why = f.errorString();
        f.cancelWriting();
        return {false, why};
    }
    if (!f.commit())
        return {false, f.errorString()};
    return {true, {}};
}

std::optional<QByteArray> readWholeFile(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

} // namespace tervix::registry
