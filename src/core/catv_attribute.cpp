#include "core/catv_attribute.h"

#include "core/scanner.h"

namespace tervix::core {

CatvAttribute parseCatvAttribute(const QString &stored)
{
    Scanner s(stored);
    CatvAttribute a;
    a.catv = s.takeBefore(u";");
    a.catvPort = s.before(u";");
    return a;
}

} // namespace tervix::core
