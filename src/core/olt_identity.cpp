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
    const qsizetype cr = s.indexOf(u"\r");
    return cr < 0 ? s.restString() : s.rest().left(cr).toString();
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
