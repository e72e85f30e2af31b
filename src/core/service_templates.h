#pragma once

#include "core/add_ont_batch.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>
#include <vector>

namespace tervix::core {

// Service-profile templates: a named set of line and service profile and the
// four service-port rows of the add form, kept per OLT, offered in the add
// form's chooser and, by position, to the sibling program.

inline constexpr int kTemplateRows = 4;

// One service-port row of a template, as the template form and the add form
// hold it. There is no service-port index: every ONT gets its own.
struct TemplateRow
{
    bool enabled = false;
    QString vlan;
    QString gemPort;
    bool nativeVlan = false;
    bool igmp = false;
    QString userVlan;

    friend bool operator==(const TemplateRow &, const TemplateRow &) = default;
};

// The template form's values.
struct TemplateValues
{
    QString name;
    QString lineProfile;
    QString serviceProfile;
    std::array<TemplateRow, kTemplateRows> rows;

    friend bool operator==(const TemplateValues &, const TemplateValues &) = default;
};

// One stored template, with the texts the list shows and the file holds.
struct ServiceTemplate
{
    QString caption;        // the list row's caption: empty for every template the console writes
    QString name;
    QString settings;       // a service-port field of four groups, "-" as every service-port index
    QString lineProfile;    // may be empty
    QString serviceProfile; // may be empty

    friend bool operator==(const ServiceTemplate &, const ServiceTemplate &) = default;
};

// The settings text of four rows: per row "act;-;vlan;native;igmp;gem;uservlan;^",
// a disabled row with "-" as VLAN and user VLAN but its GEM port as typed.
QString templateSettings(const std::array<TemplateRow, kTemplateRows> &rows);
ServiceTemplate makeServiceTemplate(const TemplateValues &values);

// The rows a settings text holds: a row for every group that is present (its
// active flag is not empty), nothing for the others. A row's user VLAN is its
// VLAN when the stored one is empty or "-".
std::array<std::optional<TemplateRow>, kTemplateRows> templateRows(const QString &settings);

// The form's values of a stored template; rows the settings do not hold are
// the default (disabled, empty) rows.
TemplateValues templateValues(const ServiceTemplate &t);

// ---- Checks -----------------------------------------------------------------

// Everything a template holds ends up in the add form, then on the OLT's
// command line, in the template file and in the sibling program's messages.
// The name must pass the add form's name rules and hold neither "&" nor "^",
// the characters of the sibling message's field separator "&^"; the profiles
// are empty or a plain number; an enabled row has a VLAN and a user VLAN of
// 1..4094 and a GEM port of 0..1023; a disabled row stores only its GEM port,
// which is empty or a GEM port. The error names the first failing field.
std::optional<FormError> checkTemplateValues(const TemplateValues &values);

// The index of the first template other than skip whose name equals name
// (spaces around either ignored), or -1.
int findTemplateName(const std::vector<ServiceTemplate> &templates, const QString &name, int skip = -1);

// ---- The add form's chooser and the sibling program -------------------------

// The chooser's first entry; choosing it unticks the rows' flags.
inline constexpr QLatin1StringView kNoTemplateEntry{"-WYBIERZ PROFIL USLUGOWY-"};

// The chooser's entries: the placeholder, then every name in list order.
QStringList chooserEntries(const std::vector<ServiceTemplate> &templates);

// The names as the sibling program receives them, host being the OLT host as
// the operator typed it: "d2s&^H&^&^", then for every full group of five
// names "d2&^H&^&^" with five "position:name&^" entries, then "d2e&^H&^&^"
// with the remaining zero to four entries. Positions count the templates from
// 0 in list order, and a position the sibling sends back means the same
// template (the chooser entry one further down). No names: no messages.
QStringList templateNamesMessages(const QString &host, const QStringList &names);

// ---- The template file --------------------------------------------------------

// "profi" + oltKey + ".ph", the per-OLT file of templates beside the program.
QString templateFileName(const QString &oltKey);

// The file bytes of a list (UTF-8): a line "^!", then a line per template
// holding caption, name, settings, line profile and service profile, each
// followed by "^!", and "*^" closing the line.
QByteArray templateFileBytes(const std::vector<ServiceTemplate> &templates);

// The templates of file bytes, or nothing when the bytes are not such a file
// (not UTF-8, no opening line, a line that is not a whole template, a field
// that holds a separator): that file is someone else's and must not be
// written over.
std::optional<std::vector<ServiceTemplate>> parseTemplateFile(const QByteArray &bytes);

} // namespace tervix::core
