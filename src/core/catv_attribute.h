#pragma once

#include <QString>

namespace tervix::core {

// An ONT's CATV attribute, stored in the list's "atrr" column as
// "catv;port;^" (catv "-1" on, "0" off). The import writes "0;1;^".
struct CatvAttribute
{
    QString catv;
    QString catvPort;

    friend bool operator==(const CatvAttribute &, const CatvAttribute &) = default;
};

// The two values before the first and the second ";".
CatvAttribute parseCatvAttribute(const QString &stored);

} // namespace tervix::core
