#pragma once

#include <QString>

namespace tervix::core {

// A long OLT listing stops after each page with "---- More ( Press 'Q' to break ) ----".
// The console answers with a double quote and a carriage return: the key brings
// the next page, the carriage return one more line. collectPage() takes what
// the receive buffer holds when a paged step runs and adds its text to the
// listing being assembled, exactly as the console has always joined pages:
// pages separated by two spaces, the OLT's erase sequences (ESC "[" ... spaces
// ... ESC "[") cut away, and no page prompt left in the result.
//
// Returns true while a page prompt is pending (the caller sends the
// continuation and runs the step again); false once the listing is complete,
// and then pagedOutput holds everything the parser is to see.
bool collectPage(const QString &memo, QString &pagedOutput);

inline constexpr QLatin1StringView kPageContinueKey{"\""};

} // namespace tervix::core
