#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace tervix::core {

// a1_zmien_nazwe: the window caption with " #." and the given text appended,
// after cutting off what stood from an earlier " #." on.
QString a1_zmien_nazwe(const QString &caption, const QString &wzm_nazwa);

// The caption of the list group: prefix, a space, the row count, a space.
QString gb_dodane_caption(const QString &list_caption_prefix, int rows);
inline const QString kDomyslnyListCaptionPrefix = QStringLiteral("Autoryzowane koncowki:");

// Colours of the basic view, as RGB triples packed 0xRRGGBB.
struct Lv1bKolory
{
    unsigned tekst = 0x000000;
    std::optional<unsigned> tlo; // none: the view's own background
};
inline constexpr unsigned kLv1bTloWidoku = 0xFFFFD9; // RGB(255,255,217)

// How a basic-view cell is drawn: a disabled row ("Active?" exactly "1") is
// grey on black; otherwise the row's gepon text picks the background, later
// rules winning: "Normal", "Bad", "Critical" (grey when the row's image is
// offline), "off".
Lv1bKolory lv1b_kolory_komorki(QStringView active, QStringView gepon, int image);

// The OLT's reminder to save its configuration, looked for in the memo text.
bool czy_przypomnienie_save(QStringView memo);

} // namespace tervix::core
