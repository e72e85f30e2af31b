#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tervix::core {

// The last-OLT-address list kept in "olt-ip.ph": one line of addresses, each
// followed by ";". Recording an address that is not listed yet rewrites the
// line as the new address followed by the current items last-first, and adds
// the address at the end of the list; a listed address changes nothing.
struct LastIpUpdate
{
    QStringList items;
    std::optional<QString> fileLine; // set when the file must be rewritten
};

LastIpUpdate recordLastIp(const QStringList &items, const QString &address);
// Every piece of the line that is followed by ";", in order; text after the last ";" is ignored.
QStringList parseLastIpFile(const QString &content);

} // namespace tervix::core
