#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace tervix::core {

// One row of an OLT profile table as the pickers show it (upper case).
struct OltProfile
{
    QString id;
    QString name;
    QString bindings;   // "Binding times"

    friend bool operator==(const OltProfile &, const OltProfile &) = default;
};

// The rows of a complete (pages joined) line- or service-
// profile listing, in order; lines without an id are left out. The binding
// count is the text after the name up to the next space or the end of the
// line, so rows of firmware that pads its lines and of firmware that does not
// read alike.
QList<OltProfile> parseProfiles(QStringView listing);

// Line breaks as single line feeds: CR LF, CR CR LF and a lone CR all become LF.
QString unifyLineBreaks(const QString &text);

enum class ProfileKind { Line, Service };

// "display ont-lineprofile gpon all", "display ont-srvprofile epon all", ...
QString profilesCommand(ProfileKind kind, bool epon);

} // namespace tervix::core
