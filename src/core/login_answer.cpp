#include "core/login_answer.h"

#include <QStringList>
#include <QStringView>

namespace tervix::core {

namespace {
// Any line with "invalid" has always counted as a refused login; the others
// are the OLT's refusals that do not say so.
bool refuses(QStringView line)
{
    return line.contains(u"invalid", Qt::CaseInsensitive)
        || line.contains(u"have reached the upper limit", Qt::CaseInsensitive)
        || line.contains(u"has been locked", Qt::CaseInsensitive)
        || line.contains(u"is locked", Qt::CaseInsensitive);
}
} // namespace

QString loginRefusal(const QString &answer)
{
    qsizetype start = 0;
    while (start <= answer.size()) {
        qsizetype end = start;
        while (end < answer.size() && answer[end] != u'\r' && answer[end] != u'\n')
            ++end;
        const QStringView line = QStringView(answer).mid(start, end - start);
        if (refuses(line))
            return line.trimmed().toString();
        start = end + 1;
    }
    return {};
}

bool saveConfirmed(const QString &memo)
{
    const QString command = QStringLiteral("save");
    const QStringList lines = memo.split(QLatin1Char('\n'));
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const QString echo = lines[i].trimmed();
        if (echo != command && !echo.endsWith(QLatin1Char('#') + command))
            continue;
        const QString answer = lines.mid(i + 1).join(QLatin1Char('\n'));
        return answer.contains(command, Qt::CaseInsensitive) && !answer.contains(QStringLiteral("Failure"))
            && !answer.contains(QStringLiteral("% "));
    }
    return false;
}

} // namespace tervix::core
