#include "core/olt_picture.h"

namespace tervix::core {

namespace {

// The value of a place number that is nothing but decimal digits and below
// limit, else -1. The list keeps what the file or the OLT gave, so "-", " 1",
// "+1" or "1a" can reach here; none of them names a place the picture has.
int placeNumber(QStringView text, int limit)
{
    if (text.isEmpty())
        return -1;
    int value = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < u'0' || u > u'9')
            return -1;
        value = value * 10 + int(u - u'0');
        if (value >= limit)
            return -1; // also keeps a long run of digits from overflowing
    }
    return value;
}

bool isDecimal(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return false;
    }
    return true;
}

} // namespace

bool pictureCounts(const OntRecord &row, int *slot, int *port)
{
    const int s = placeNumber(row.slot, OltPicture::kBoards);
    const int p = placeNumber(row.port, OltPicture::kPorts);
    if (s < 0 || p < 0 || !isDecimal(row.frame))
        return false;
    if (slot)
        *slot = s;
    if (port)
        *port = p;
    return true;
}

OltPicture pictureTotals(const std::vector<OntRecord> &rows)
{
    OltPicture picture;
    for (const OntRecord &row : rows) {
        int slot = 0;
        int port = 0;
        if (!pictureCounts(row, &slot, &port))
            continue;
        PictureBoard &board = picture.boards[size_t(slot)];
        ++board.total;
        ++board.ports[size_t(port)].total;
        if (port > board.highestPort)
            board.highestPort = port;
    }
    for (PictureBoard &board : picture.boards) {
        board.shown = board.highestPort >= 0;
        if (!board.shown)
            continue;
        // Most boards are 8-port ones; a strip of 16 panels is drawn only
        // when the list proves the board has more.
        board.shownPorts = board.highestPort > 7 ? 16 : 8;
        ++picture.shownBoards;
    }
    return picture;
}

void applySignalCounts(OltPicture &picture, const SignalCounts &counts)
{
    static_assert(OltPicture::kBoards <= SignalCounts::kBoards && OltPicture::kPorts <= SignalCounts::kPorts);
    for (int s = 0; s < OltPicture::kBoards; ++s) {
        for (int p = 0; p < OltPicture::kPorts; ++p) {
            const PortCounts &from = counts.ports[size_t(s)][size_t(p)];
            PicturePort &to = picture.boards[size_t(s)].ports[size_t(p)];
            // The total stays the picture's: the recount's table also takes
            // rows the picture leaves out (a frame that is not a number).
            to.online = from.online;
            to.offline = from.offline;
            to.critical = from.critical;
        }
    }
}

int portColour(const PicturePort &port, bool blinkOn)
{
    if (port.total == 0)
        return picture_colours::kNeutral;
    if (port.critical > 0)
        return blinkOn ? picture_colours::kBlinkA : picture_colours::kBlinkB;
    return picture_colours::kWithOnts;
}

} // namespace tervix::core
