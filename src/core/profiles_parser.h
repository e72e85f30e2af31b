#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace tervix::core {

// One row of an OLT profile table as the pickers show it (upper case).
struct ProfilOlt
{
    QString id;
    QString nazwa;
    QString bind;   // "Binding times"

    friend bool operator==(const ProfilOlt &, const ProfilOlt &) = default;
};

// czytaj_profile: the rows of a complete (pages joined) line- or service-
// profile listing, in order; lines without an id are left out. The binding
// count is the text after the name up to the next space or the end of the
// line, so rows of firmware that pads its lines and of firmware that does not
// read alike.
QList<ProfilOlt> czytaj_profile(QStringView czpr_s);

// Line breaks as single line feeds: CR LF, CR CR LF and a lone CR all become LF.
QString jednolite_konce_linii(const QString &text);

enum class RodzajProfilu { Liniowy, Uslugowy };

// "display ont-lineprofile gpon all", "display ont-srvprofile epon all", ...
QString polecenie_profili(RodzajProfilu rodzaj, bool epon);

} // namespace tervix::core
