#pragma once

#include "core/service_templates.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace tervix::session {
class TraceLog;
}

namespace tervix::provisioning {
class AddFormView;
}

namespace tervix::registry {

// The service-profile templates of the current OLT: the list the templates
// window shows, the add form's chooser entries built from it, and the per-OLT
// file "profi<oltKey>.ph" in the data folder, written whole after every change.
//
// The list belongs to one OLT: every login empties it before the OLT's own
// file is read, so one OLT's templates never end up in another's file. A file
// that is there but cannot be read is reported and, until a later login reads
// it, never written over: the list then refuses every change.
class TemplatesController : public QObject
{
    Q_OBJECT
public:
    explicit TemplatesController(session::TraceLog *trace = nullptr, QObject *parent = nullptr);

    // Whether the working session serves commands; unset reads as not ready.
    void setSessionReadyHook(std::function<bool()> ready) { m_sessionReady = std::move(ready); }
    void setDialogParent(QWidget *w) { m_dialogParent = w; }

    enum class LoadResult {
        Loaded,
        NoFile,     // no templates for this OLT yet
        Unreadable, // the file is there but is not a template file or cannot be opened
    };
    // At every login: empties the list, then reads the OLT's file.
    LoadResult load(const QString &appDir, const QString &oltKey);
    QString oltKey() const { return m_oltKey; }
    // The file of the current OLT; empty before the first login.
    QString filePath() const;

    const std::vector<core::ServiceTemplate> &templates() const { return m_templates; }
    int size() const { return int(m_templates.size()); }
    QStringList names() const;
    // The add form's chooser: the placeholder, then every name in list order.
    QStringList chooserEntries() const { return core::chooserEntries(m_templates); }

    // The window may open only over a working session of a known OLT; the
    // refusal is shown to the operator.
    bool mayOpenWindow() const;

    // -1 while the form makes a new template, else the index of the template
    // it changes.
    int editedIndex() const { return m_edited; }
    // "Edytuj": the template's values for the form, and the form now changes
    // that template. Nothing for an index out of range.
    std::optional<core::TemplateValues> beginEdit(int index);
    // "anuluj": the form makes a new template again.
    void cancelEdit();

    // "dodaj": adds the form's template, or changes the one being edited, and
    // writes the file. Refused with a box (and nothing changed) without a
    // working session, before the first login, over an unreadable file, for
    // values the checks refuse and for a name another template has; the form
    // may paint refusedField then.
    bool submit(const core::TemplateValues &values);
    std::optional<core::FieldRef> refusedField() const { return m_refusedField; }

    // "Usun": asks, then removes the template and writes the file.
    bool remove(int index);

    // Choosing chooser entry `entry` in the add form: entry 0 unticks the
    // rows' flags; a template's entry copies its profiles and the rows it
    // holds (service-port indexes stay as they are). False when the entry
    // names no template, and then the form is left alone.
    bool applyToAddForm(int entry, provisioning::AddFormView &form);
    // The same for a position as the sibling program's names messages number
    // the templates; a negative position chooses no template and changes nothing.
    bool applyAtSiblingPosition(int position, provisioning::AddFormView &form);
    // The names messages for the sibling program, host being the OLT host as
    // the operator typed it.
    QStringList siblingNamesMessages(const QString &host) const;

Q_SIGNALS:
    // The list's rows changed (load, add, change, remove).
    void templatesChanged();
    // The add form's chooser must show these entries, the placeholder chosen.
    void chooserEntriesChanged(const QStringList &entries);
    void editedIndexChanged(int index);

private:
    void setEdited(int index);
    void announceList();
    bool save();
    // Refuses a change to the list while the file is not ours to write.
    bool refuseUnreadable() const;
    void error(const QString &caption, const QString &text) const;
    void trace(const QString &tag) const;

    session::TraceLog *m_trace;
    std::function<bool()> m_sessionReady;
    QWidget *m_dialogParent = nullptr;
    QString m_appDir;
    QString m_oltKey;
    std::vector<core::ServiceTemplate> m_templates;
    int m_edited = -1;
    // The file that could not be read at the last login; never written.
    QString m_unreadableFile;
    std::optional<core::FieldRef> m_refusedField;
};

} // namespace tervix::registry
