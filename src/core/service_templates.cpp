#include "core/service_templates.h"

#include "core/form_input_rules.h"
#include "core/service_port_field.h"

#include <QStringDecoder>

namespace tervix::core {

namespace {

const QString kFieldEnd = QStringLiteral("^!");
const QString kRecordClose = QStringLiteral("*^");
const QString kSiblingSeparator = QStringLiteral("&^");
constexpr int kTemplateFields = 5;
constexpr int kNamesPerMessage = 5;

QString flagText(bool b)
{
    return b ? QStringLiteral("-1") : QStringLiteral("0");
}

bool inRange(const QString &text, int low, int high)
{
    if (!isPlainNumber(text))
        return false;
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok && v >= low && v <= high;
}

FormError fieldError(Field field, int row, const QString &pl, const QString &en)
{
    return FormError{{field, row}, pl + u'\n' + en};
}

QString rowLabel(int row)
{
    return QString::number(row + 1);
}

} // namespace

QString templateSettings(const std::array<TemplateRow, kTemplateRows> &rows)
{
    QString out;
    for (const TemplateRow &r : rows) {
        const auto orDash = [&r](const QString &v) { return r.enabled ? v : QStringLiteral("-"); };
        out += flagText(r.enabled) + QStringLiteral(";-;") + orDash(r.vlan) + u';' + flagText(r.nativeVlan) + u';'
            + flagText(r.igmp) + u';' + r.gemPort + u';' + orDash(r.userVlan) + QStringLiteral(";^");
    }
    return out;
}

ServiceTemplate makeServiceTemplate(const TemplateValues &values)
{
    return ServiceTemplate{QString(), values.name, templateSettings(values.rows), values.lineProfile,
                           values.serviceProfile};
}

std::array<std::optional<TemplateRow>, kTemplateRows> templateRows(const QString &settings)
{
    const ServicePortField field = decodeServicePortField(settings);
    std::array<std::optional<TemplateRow>, kTemplateRows> rows;
    for (int i = 0; i < kTemplateRows; ++i) {
        const ServicePortSlot &s = field.slots[size_t(i)];
        if (s.active.isEmpty())
            continue;
        rows[size_t(i)] = TemplateRow{s.active == u"-1", s.vlanId, s.gemPort, s.nativeVlan == u"-1",
                                      s.igmp == u"-1", s.userVlan};
    }
    return rows;
}

TemplateValues templateValues(const ServiceTemplate &t)
{
    TemplateValues v;
    v.name = t.name;
    v.lineProfile = t.lineProfile;
    v.serviceProfile = t.serviceProfile;
    const auto rows = templateRows(t.settings);
    for (int i = 0; i < kTemplateRows; ++i) {
        if (rows[size_t(i)])
            v.rows[size_t(i)] = *rows[size_t(i)];
    }
    return v;
}

std::optional<FormError> checkTemplateValues(const TemplateValues &values)
{
    const QString nameProblem = nameError(values.name);
    if (!nameProblem.isEmpty())
        return fieldError(Field::Name, 0,
                          QStringLiteral("Nazwa profilu nie moze byc pusta ani zawierac cudzyslowu (\"), znaku zapytania, "
                                         "znakow sterujacych, znakow spoza Windows-1250, ^! ani *^: ")
                              + nameProblem,
                          QStringLiteral("The template name must not be empty nor hold a double quote, a question mark, "
                                         "control characters, characters outside Windows-1250, ^! or *^."));
    if (values.name.contains(u'&') || values.name.contains(u'^'))
        return fieldError(Field::Name, 0,
                          QStringLiteral("Nazwa profilu nie moze zawierac znakow & ani ^ (rozdzielaja pola wiadomosci "
                                         "do programu Bilvora)."),
                          QStringLiteral("The template name must not hold & or ^ (they separate the fields of the "
                                         "messages to Bilvora)."));
    const auto profile = [](Field field, const QString &text, const QString &label) -> std::optional<FormError> {
        if (text.isEmpty() || isPlainNumber(text))
            return std::nullopt;
        return fieldError(field, 0, QStringLiteral("Pole \"") + label + QStringLiteral("\" moze byc puste albo zawierac tylko liczbe."),
                          QStringLiteral("The field \"") + label + QStringLiteral("\" may be empty or hold only a number."));
    };
    if (auto e = profile(Field::LineProfile, values.lineProfile, QStringLiteral("LineProfile")))
        return e;
    if (auto e = profile(Field::SrvProfile, values.serviceProfile, QStringLiteral("SrvProfile")))
        return e;

    for (int i = 0; i < kTemplateRows; ++i) {
        const TemplateRow &r = values.rows[size_t(i)];
        const QString n = rowLabel(i);
        if (r.enabled) {
            if (!inRange(r.vlan, 1, 4094))
                return fieldError(Field::Vlan, i, QStringLiteral("VLAN ") + n + QStringLiteral(" musi byc liczba od 1 do 4094."),
                                  QStringLiteral("VLAN ") + n + QStringLiteral(" must be a number from 1 to 4094."));
            if (!inRange(r.gemPort, 0, 1023))
                return fieldError(Field::Gemport, i,
                                  QStringLiteral("GEM port ") + n + QStringLiteral(" musi byc liczba od 0 do 1023."),
                                  QStringLiteral("GEM port ") + n + QStringLiteral(" must be a number from 0 to 1023."));
            if (!inRange(r.userVlan, 1, 4094))
                return fieldError(Field::UserVlan, i,
                                  QStringLiteral("User VLAN ") + n + QStringLiteral(" musi byc liczba od 1 do 4094."),
                                  QStringLiteral("User VLAN ") + n + QStringLiteral(" must be a number from 1 to 4094."));
        } else if (!r.gemPort.isEmpty() && !inRange(r.gemPort, 0, 1023)) {
            // A disabled row is never sent, but its GEM port is stored and
            // copied into the add form.
            return fieldError(Field::Gemport, i,
                              QStringLiteral("GEM port ") + n + QStringLiteral(" musi byc pusty albo byc liczba od 0 do 1023."),
                              QStringLiteral("GEM port ") + n + QStringLiteral(" must be empty or a number from 0 to 1023."));
        }
    }
    return std::nullopt;
}

int findTemplateName(const std::vector<ServiceTemplate> &templates, const QString &name, int skip)
{
    const QString wanted = name.trimmed();
    for (int i = 0; i < int(templates.size()); ++i) {
        if (i != skip && templates[size_t(i)].name.trimmed() == wanted)
            return i;
    }
    return -1;
}

QStringList chooserEntries(const std::vector<ServiceTemplate> &templates)
{
    QStringList entries{QString(kNoTemplateEntry)};
    for (const ServiceTemplate &t : templates)
        entries.append(t.name);
    return entries;
}

QStringList templateNamesMessages(const QString &host, const QStringList &names)
{
    if (names.isEmpty())
        return {};
    const QString header = kSiblingSeparator + host + kSiblingSeparator + kSiblingSeparator;
    QStringList messages{QStringLiteral("d2s") + header};
    QString entries;
    for (int i = 0; i < names.size(); ++i) {
        entries += QString::number(i) + u':' + names[i] + kSiblingSeparator;
        if ((i + 1) % kNamesPerMessage == 0) {
            messages.append(QStringLiteral("d2") + header + entries);
            entries.clear();
        }
    }
    messages.append(QStringLiteral("d2e") + header + entries);
    return messages;
}

QString templateFileName(const QString &oltKey)
{
    return QStringLiteral("profi") + oltKey + QStringLiteral(".ph");
}

QByteArray templateFileBytes(const std::vector<ServiceTemplate> &templates)
{
    QString text = kFieldEnd + QStringLiteral("\r\n");
    for (const ServiceTemplate &t : templates) {
        for (const QString *f : {&t.caption, &t.name, &t.settings, &t.lineProfile, &t.serviceProfile})
            text += *f + kFieldEnd;
        text += kRecordClose + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

std::optional<std::vector<ServiceTemplate>> parseTemplateFile(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    QStringList lines = text.split(u'\n');
    for (QString &l : lines) {
        if (l.endsWith(u'\r'))
            l.chop(1);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty() || lines.first() != kFieldEnd)
        return std::nullopt;

    std::vector<ServiceTemplate> out;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (!line.endsWith(kFieldEnd + kRecordClose))
            return std::nullopt;
        const QStringList fields = line.chopped(kRecordClose.size()).split(kFieldEnd);
        // Five fields, each closed by the separator, leave an empty sixth.
        if (fields.size() != kTemplateFields + 1 || !fields.last().isEmpty())
            return std::nullopt;
        out.push_back(ServiceTemplate{fields[0], fields[1], fields[2], fields[3], fields[4]});
    }
    return out;
}

} // namespace tervix::core
