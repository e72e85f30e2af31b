#include "core/terminal_text.h"

#include <gtest/gtest.h>

using tervix::core::TerminalTextFilter;

namespace {

const QString kErase = QStringLiteral("\x1b[37D") + QString(3, u' ') + QStringLiteral("\x1b[37D");

// The same output, whole and cut at every position into two pieces, reads
// the same: a cursor move cut between pieces never shows its halves.
TEST(TerminalText, CursorMovesAndCarriageReturnsGoWhereverThePiecesAreCut)
{
    const QString output = QStringLiteral("  row 1\r\n---- More ----") + kErase + QStringLiteral("  row 2\r\n\x1b[1;5H");
    const QString readable = QStringLiteral("  row 1\n---- More ----     row 2\n");
    for (qsizetype cut = 0; cut <= output.size(); ++cut) {
        TerminalTextFilter f;
        QString shown = f.feed(QStringView(output).left(cut));
        shown += f.feed(QStringView(output).mid(cut));
        EXPECT_EQ(shown, readable) << "cut at " << cut;
    }
}

TEST(TerminalText, AHeldBackPieceIsForgottenWhenANewTextStarts)
{
    TerminalTextFilter f;
    EXPECT_EQ(f.feed(u"abc\x1b["), QStringLiteral("abc"));
    f.reset();
    EXPECT_EQ(f.feed(u"5Dx"), QStringLiteral("5Dx"));
    // An escape not followed by "[" is not a cursor move and stays.
    EXPECT_EQ(f.feed(u"a\x1b" u"b"), QStringLiteral("a\x1b" "b"));
}

} // namespace
