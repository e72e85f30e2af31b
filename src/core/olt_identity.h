#pragma once

#include <QString>

namespace tervix::core {

// The OLT is known by the bar code of its backplane label. The label has been
// seen when the answer holds the tail of its description line.
bool labelSeen(const QString &memo);

// The bar code as the label prints it: the whole text lower-cased, everything
// through the first "barcode" and the one separator character after it cut
// away, up to (not including) the next carriage return or line feed.
QString barcodeFromLabel(const QString &memo);

// The bar code names files and a folder inside the data directory, so it must
// be a plain file-name fragment: lower case letters, digits, "-" and "_" are
// kept, every other character becomes "_", and the result is at most 64
// characters. Returns an empty string when nothing usable remains (no bar code
// at all, or only blanks and control characters): the console then refuses to
// work with that OLT rather than mixing its data with another's.
QString oltKeyFromBarcode(const QString &barcode);

} // namespace tervix::core
