#include "test_paths.h"

#include <QDir>
#include <QFile>

namespace tervix::test {

QString samplesDir()
{
    const QByteArray env = qgetenv("TERVIX_SAMPLES_DIR");
    return env.isEmpty() ? QStringLiteral(TERVIX_SAMPLES_DIR) : QString::fromLocal8Bit(env);
}

QByteArray readSampleBytes(const QString &fileName)
{
    QFile f(QDir(samplesDir()).filePath(fileName));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
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
