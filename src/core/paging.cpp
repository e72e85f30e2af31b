#include "core/paging.h"

#include "core/scanner.h"

namespace tervix::core {

namespace {
const QString kEsc = QStringLiteral("\x1b[");
const QString kTwoSpaces = QStringLiteral("  ");
const QString kMore = QStringLiteral("More ( Press");
const QString kPrompt = QStringLiteral("---- More ( Press");

// Cuts through the two escape sequences around an erased prompt and then
// through the first two spaces after them.
void cutEraseSequence(Scanner &s)
{
    s.cutThrough(kEsc);
    s.cutThrough(kEsc);
    s.cutThrough(kTwoSpaces);
}
} // namespace

bool collectPage(const QString &memo, QString &pagedOutput)
{
    // The page test ignores case; the cutting below does not, so a prompt in
    // another letter case still continues the listing but contributes nothing.
    if (memo.contains(kMore, Qt::CaseInsensitive)) {
        Scanner page(textBefore(memo, kPrompt));
        Scanner m(memo);
        m.cutThrough(kMore);
        if (page.contains(kEsc)) {
            cutEraseSequence(page);
            pagedOutput += kTwoSpaces;
        }
        pagedOutput += page.rest();
        if (m.contains(kMore)) {
            // The carriage return's single extra line sits between two prompts.
            cutEraseSequence(m);
            pagedOutput += kTwoSpaces;
            const qsizetype cr = m.indexOf(u"\r");
            if (cr >= 0)
                pagedOutput += m.rest().left(cr + 1);
        }
        return true;
    }
    Scanner last(memo);
    if (last.contains(kEsc))
        cutEraseSequence(last);
    pagedOutput += kTwoSpaces;
    pagedOutput += last.rest();
    return false;
}

} // namespace tervix::core
