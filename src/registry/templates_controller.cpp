#include "registry/templates_controller.h"

#include "provisioning/add_form_view.h"
#include "registry/ont_data_store.h"
#include "session/trace_log.h"
#include "ui/dialog_service.h"

#include <QFileInfo>

namespace tervix::registry {

namespace {
const QString kConnectionCaption = QStringLiteral("Blad polaczenia!");
} // namespace

TemplatesController::TemplatesController(session::TraceLog *trace, QObject *parent)
    : QObject(parent)
    , m_trace(trace)
{
}

QString TemplatesController::filePath() const
{
    if (m_oltKey.isEmpty())
        return {};
    return fileInFolder(m_appDir, core::templateFileName(m_oltKey));
}

TemplatesController::LoadResult TemplatesController::load(const QString &appDir, const QString &oltKey)
{
    // Whatever the file says, the previous OLT's templates go: kept, they
    // would be offered for this OLT and saved into its file.
    m_templates.clear();
    m_appDir = appDir;
    m_oltKey = oltKey;
    m_unreadableFile.clear();
    setEdited(-1);

    LoadResult result = LoadResult::NoFile;
    const QString path = filePath();
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        const std::optional<QByteArray> bytes = readWholeFile(path);
        std::optional<std::vector<core::ServiceTemplate>> read;
        if (bytes)
            read = core::parseTemplateFile(*bytes);
        if (read) {
            m_templates = std::move(*read);
            result = LoadResult::Loaded;
        } else {
            m_unreadableFile = path;
            result = LoadResult::Unreadable;
            error(QStringLiteral("Blad odczytu!"),
                  QStringLiteral("Nie udalo sie odczytac profili uslugowych z pliku / The service-profile templates "
                                 "could not be read from the file:\n%1\n\n"
                                 "Plik nie zostanie nadpisany; po usunieciu przyczyny zaloguj sie ponownie / "
                                 "The file will not be written over; log in again once the cause is removed.")
                      .arg(path));
        }
    }
    announceList();
    return result;
}

QStringList TemplatesController::names() const
{
    QStringList out;
    out.reserve(int(m_templates.size()));
    for (const core::ServiceTemplate &t : m_templates)
        out.append(t.name);
    return out;
}

bool TemplatesController::mayOpenWindow() const
{
    if (!(m_sessionReady && m_sessionReady())) {
        error(kConnectionCaption, QStringLiteral("Aby wykonac operacje najpierw sie polacz!"));
        return false;
    }
    if (m_oltKey.isEmpty()) {
        error(QStringLiteral("Blad!"), QStringLiteral("Najpierw polacz sie z oltem"));
        return false;
    }
    return true;
}

std::optional<core::TemplateValues> TemplatesController::beginEdit(int index)
{
    if (index < 0 || index >= size())
        return std::nullopt;
    setEdited(index);
    return core::templateValues(m_templates[size_t(index)]);
}

void TemplatesController::cancelEdit()
{
    setEdited(-1);
}

bool TemplatesController::submit(const core::TemplateValues &values)
{
    m_refusedField.reset();
    if (!(m_sessionReady && m_sessionReady())) {
        error(kConnectionCaption, QStringLiteral("Aby wykonac operacje najpierw sie polacz!"));
        return false;
    }
    if (m_oltKey.isEmpty()) {
        error(QStringLiteral("Blad!"), QStringLiteral("Najpierw polacz sie z oltem"));
        return false;
    }
    if (refuseUnreadable())
        return false;
    if (const std::optional<core::FormError> e = core::checkTemplateValues(values)) {
        m_refusedField = e->field;
        error(QString(core::kInvalidInputCaption), e->message);
        return false;
    }
    // With two templates of one name, only the first could ever be chosen:
    // the chooser and the sibling program would get the wrong one.
    const int same = core::findTemplateName(m_templates, values.name, m_edited);
    if (same >= 0) {
        m_refusedField = core::FieldRef{core::Field::Name};
        error(QString(core::kInvalidInputCaption),
              QStringLiteral("Profil o nazwie \"%1\" juz istnieje - wybierz inna nazwe.\n"
                             "A template named \"%1\" already exists: choose another name.")
                  .arg(m_templates[size_t(same)].name));
        return false;
    }

    core::ServiceTemplate t = core::makeServiceTemplate(values);
    if (m_edited >= 0 && m_edited < size()) {
        // The changed template keeps its place, and its caption.
        t.caption = m_templates[size_t(m_edited)].caption;
        m_templates[size_t(m_edited)] = std::move(t);
    } else {
        m_templates.push_back(std::move(t));
    }
    setEdited(-1);
    announceList();
    save();
    return true;
}

bool TemplatesController::remove(int index)
{
    if (index < 0 || index >= size())
        return false;
    if (refuseUnreadable())
        return false;
    const ui::DialogService::Answer a = ui::DialogService::instance().question(
        m_dialogParent, QStringLiteral("Usunac?"), QStringLiteral("Czy usunac profil ") + m_templates[size_t(index)].name);
    if (a != ui::DialogService::Answer::Yes)
        return false;
    m_templates.erase(m_templates.begin() + index);
    // The form keeps changing the template it was changing; when that one is
    // gone, the form makes a new one rather than overwrite another.
    if (m_edited == index)
        setEdited(-1);
    else if (m_edited > index)
        setEdited(m_edited - 1);
    // The chooser, and the positions the sibling program is given, follow the list.
    announceList();
    save();
    return true;
}

bool TemplatesController::applyToAddForm(int entry, provisioning::AddFormView &form)
{
    trace(QStringLiteral("a21"));
    if (entry == 0) {
        for (int i = 0; i < core::kTemplateRows; ++i)
            form.setServicePortFlags(i, false, false, false);
        trace(QStringLiteral("a21-end"));
        return true;
    }
    if (entry < 0 || entry > size()) {
        trace(QStringLiteral("a21-end"));
        return false;
    }
    const core::ServiceTemplate &t = m_templates[size_t(entry - 1)];
    form.setFieldText({core::Field::LineProfile}, t.lineProfile);
    form.setFieldText({core::Field::SrvProfile}, t.serviceProfile);
    const auto rows = core::templateRows(t.settings);
    for (int i = 0; i < core::kTemplateRows; ++i) {
        const std::optional<core::TemplateRow> &r = rows[size_t(i)];
        if (!r)
            continue;
        form.setServicePortFlags(i, r->enabled, r->nativeVlan, r->igmp);
        form.setFieldText({core::Field::Vlan, i}, r->vlan);
        form.setFieldText({core::Field::Gemport, i}, r->gemPort);
        form.setFieldText({core::Field::UserVlan, i}, r->userVlan);
    }
    trace(QStringLiteral("a21-end"));
    return true;
}

bool TemplatesController::applyAtSiblingPosition(int position, provisioning::AddFormView &form)
{
    if (position < 0)
        return false;
    return applyToAddForm(position + 1, form);
}

QStringList TemplatesController::siblingNamesMessages(const QString &host) const
{
    return core::templateNamesMessages(host, names());
}

void TemplatesController::setEdited(int index)
{
    if (m_edited == index)
        return;
    m_edited = index;
    Q_EMIT editedIndexChanged(index);
}

void TemplatesController::announceList()
{
    Q_EMIT templatesChanged();
    Q_EMIT chooserEntriesChanged(chooserEntries());
}

bool TemplatesController::save()
{
    const QString path = filePath();
    const WriteResult w = writeAtomically(path, core::templateFileBytes(m_templates));
    if (!w.ok) {
        error(QStringLiteral("Blad zapisu!"),
              QStringLiteral("Nie udalo sie zapisac profili uslugowych do pliku / The service-profile templates could "
                             "not be saved to the file:\n%1\n\n%2")
                  .arg(path.isEmpty() ? core::templateFileName(m_oltKey) : path, w.error));
        return false;
    }
    return true;
}

bool TemplatesController::refuseUnreadable() const
{
    if (m_unreadableFile.isEmpty())
        return false;
    error(QStringLiteral("Blad zapisu!"),
          QStringLiteral("Plik profili uslugowych nie dal sie odczytac przy logowaniu i nie jest nadpisywany; "
                         "profile pozostaja bez zmian / The templates file could not be read at login and is not "
                         "written over; the templates are left as they are:\n%1")
              .arg(m_unreadableFile));
    return true;
}

void TemplatesController::error(const QString &caption, const QString &text) const
{
    ui::DialogService::instance().error(m_dialogParent, caption, text);
}

void TemplatesController::trace(const QString &tag) const
{
    if (m_trace)
        m_trace->add(tag);
}

} // namespace tervix::registry
