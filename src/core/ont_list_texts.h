#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace tervix::core {

// The window caption with " #." and the given text appended,
// after cutting off what stood from an earlier " #." on.
QString captionWithSuffix(const QString &caption, const QString &suffix);

// The caption of the list group: prefix, a space, the row count, a space.
QString listCaption(const QString &prefix, int rows);
inline const QString kDefaultListCaptionPrefix = QStringLiteral("Autoryzowane koncowki:");

// Colours of the basic view, as RGB triples packed 0xRRGGBB.
struct BasicCellColours
{
    unsigned text = 0x000000;
    std::optional<unsigned> background; // none: the view's own background
};
inline constexpr unsigned kBasicViewBackground = 0xFFFFD9; // RGB(255,255,217)

// How a basic-view cell is drawn: a disabled row ("Active?" exactly "1") is
// grey on black; otherwise the row's gepon text picks the background, later
// rules winning: "Normal", "Bad", "Critical" (grey when the row's image is
// offline), "off".
BasicCellColours basicCellColours(QStringView active, QStringView gepon, int image);

// The OLT's reminder to save its configuration, looked for in the memo text.
bool isSaveReminder(QStringView memo);

} // namespace tervix::core
