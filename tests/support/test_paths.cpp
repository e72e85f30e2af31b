#include "test_paths.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace tervix::test {

QString samplesDir()
{
    return QStringLiteral(TERVIX_SAMPLES_DIR);
}

QByteArray readSampleBytes(const QString &fileName)
{
    // A missing or unreadable fixture must not turn into an empty listing: a
    // parser test on empty text can pass for the wrong reason ("no reminder",
    // "no rows"). Tables of cases read their samples before any test runs;
    // the failure then counts against the whole program.
    const QString path = QDir(samplesDir()).filePath(fileName);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read the sample " << path.toStdString() << ": " << f.errorString().toStdString();
        return {};
    }
    const QByteArray bytes = f.readAll();
    if (bytes.isEmpty())
        ADD_FAILURE() << "the sample " << path.toStdString() << " is empty";
    return bytes;
}

QString crlf(QString text)
{
    return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

QString readSample(const QString &fileName)
{
    return QString::fromLatin1(readSampleBytes(fileName));
}

QString sourceDir()
{
    return QStringLiteral(TERVIX_SOURCE_DIR);
}

} // namespace tervix::test
