#include "core/olt_identity.h"

#include "core/scanner.h"

namespace tervix::core {

bool labelSeen(const QString &memo)
{
    return memo.contains(QStringLiteral("escription="));
}

QString barcodeFromLabel(const QString &memo)
{
    Scanner s(memo.toLower());
    s.cutThrough(u"barcode");
    s.drop(1);
    // The OLT ends its lines with CR LF, but a line that arrives with LF (or CR)
    // alone must not glue the following label lines onto the bar code: the bar
    // code names the OLT's files.
    const qsizetype end = s.lineEnd();
    return end < 0 ? s.restString() : s.rest().left(end).toString();
}

QString oltKeyFromBarcode(const QString &barcode)
{
    QString key;
    bool meaningful = false;
    for (QChar c : barcode.trimmed().toLower()) {
        if (key.size() >= 64)
            break;
        const char16_t u = c.unicode();
        const bool plain = (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') || u == u'-' || u == u'_';
        if (plain) {
            key.append(c);
            meaningful = true;
        } else if (c.isPrint() && !c.isSpace()) {
            key.append(u'_');
            meaningful = meaningful || c.isLetterOrNumber();
        } else {
            key.append(u'_');
        }
    }
    return meaningful ? key : QString();
}

} // namespace tervix::core
