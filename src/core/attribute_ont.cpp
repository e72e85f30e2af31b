#include "core/attribute_ont.h"

#include "core/scanner.h"

namespace tervix::core {

Tattrybute_ont czytaj_attrybute(const QString &cztattr_s)
{
    Scanner s(cztattr_s);
    Tattrybute_ont a;
    a.attr_catv = s.takeBefore(u";");
    a.attr_catv_port = s.before(u";");
    return a;
}

} // namespace tervix::core
