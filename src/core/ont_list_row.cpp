#include "core/ont_list_row.h"

namespace tervix::core {

QString geponStartowy(const QString &typ)
{
    return typ + QStringLiteral("\nChecking signal..\nONT: ? OLT: ?");
}

QString portTrzyLinie(const QString &buda, const QString &karta, const QString &port, const QString &ontId)
{
    return QStringLiteral("OLT: ") + buda + QStringLiteral("\nSlot: ") + karta + u'/' + port
        + QStringLiteral("\nID: ") + ontId;
}

QString nazwaTrzyLinie(const QString &nazwa, const QString &macSn, const QString &trzeciaLinia)
{
    return nazwa + QStringLiteral("\nSN: ") + macSn + u'\n' + trzeciaLinia;
}

Lv1bCells wierszBasic(const Lv1Cells &lv1, const QString &idLv1, const QString &trzeciaLinia)
{
    Lv1bCells b;
    b[kolb::IdLv1] = idLv1;
    b[kolb::Gepon] = geponStartowy(lv1[kol::Typ]);
    b[kolb::Port] = portTrzyLinie(lv1[kol::Buda], lv1[kol::Karta], lv1[kol::Port], lv1[kol::OntId]);
    b[kolb::Nazwa] = nazwaTrzyLinie(lv1[kol::Nazwa], lv1[kol::MacSn], trzeciaLinia);
    b[kolb::Vlan] = lv1[kol::Vlan];
    b[kolb::Active] = lv1[kol::Active];
    return b;
}

} // namespace tervix::core
