#pragma once

#include <QString>

namespace tervix::core {

// An ONT's CATV attribute, stored in the list's "atrr" column as
// "catv;port;^" (catv "-1" on, "0" off). The import writes "0;1;^".
struct Tattrybute_ont
{
    QString attr_catv;
    QString attr_catv_port;

    friend bool operator==(const Tattrybute_ont &, const Tattrybute_ont &) = default;
};

// czytaj_attrybute: the two values before the first and the second ";".
Tattrybute_ont czytaj_attrybute(const QString &cztattr_s);

} // namespace tervix::core
