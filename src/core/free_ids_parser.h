#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

namespace tervix::core {

// The numbers the OLT can give: ONT ids on a PON port run from 0 to 255 on
// the widest boards (most number fewer), service-port indexes from 0 to
// 65535. A number beyond these is no number: it cannot be the OLT's, and
// arithmetic on it could overflow.
inline constexpr int kMaxOntId = 255;
inline constexpr int kMaxServicePortIndex = 65535;

// The ONT id to propose for slot/port from the answer to
// "display ont info F S P all": one more than the id on the last line of the
// description table that contains slot + "/" + port; 1 when no line does
// (an empty port). The table ends at the port's closing "In port F/S/P, the
// total ..." line, and is taken as empty when that line is missing. Ids freed
// inside the range are not reused. Empty when the line holds no number where
// the id stands, or an id of kMaxOntId or above (the form then shows "?").
std::optional<int> proposeOntId(QStringView listing, const QString &slot, const QString &port);

// The highest service-port index recorded in the
// service-port fields of the list (0 for an empty list; "-" and numbers
// beyond kMaxServicePortIndex count as 0).
int highestServicePort(const QStringList &vlanFields);

// The four service-port indexes to propose from the answer
// to "display service-port next-free-index": the OLT's free index, raised to
// one above the highest recorded in the list, rounded up to an even number,
// and the three after it. Empty when the answer holds no number, a number
// beyond kMaxServicePortIndex, or when the four would not all fit below it.
std::optional<std::array<int, 4>> proposeServicePorts(QStringView answer, int highestInList);

// The requests whose answers the two parsers read.
QString portOntInfoCommand(const QString &frame, const QString &slot, const QString &port);
inline constexpr QLatin1StringView kNextFreeIndexCommand{"display service-port next-free-index"};

} // namespace tervix::core
