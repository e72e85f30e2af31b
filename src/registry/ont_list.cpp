#include "registry/ont_list.h"

#include "core/ont_data_file.h"
#include "core/timing.h"
#include "registry/ont_data_store.h"
#include "session/trace_log.h"
#include "ui/dialog_service.h"
#include "ui/ont_list_model.h"

#include <QFileInfo>
#include <QWidget>

#include <optional>

namespace tervix::registry {

using core::OntListRow;
using ui::OntListModel;

OntList::OntList(session::TraceLog *trace, QObject *parent)
    : QObject(parent)
    , m_trace(trace)
    , m_lv1(new OntListModel(m_rows, OntListModel::Widok::Zaawansowany, this))
    , m_lv1b(new OntListModel(m_rows, OntListModel::Widok::Podstawowy, this))
{
    m_timZapisz.setSingleShot(true);
    m_timZapisz.setInterval(timing::scaled(timing::kDeferredSaveMs));
    connect(&m_timZapisz, &QTimer::timeout, this, [this] { zapisz1(); });
}

OntList::~OntList() = default;

QString OntList::komorka(int row, int col) const
{
    if (!poprawnyWiersz(row) || col < 0 || col >= core::kol::Count)
        return {};
    return m_rows[size_t(row)].lv1[size_t(col)];
}

QString OntList::komorkaB(int row, int col) const
{
    if (!poprawnyWiersz(row) || col < 0 || col >= core::kolb::Count)
        return {};
    return m_rows[size_t(row)].lv1b[size_t(col)];
}

void OntList::wejscie(OntListRow &row)
{
    for (int c : core::kStoredColumns)
        row.lv1[size_t(c)] = core::ont_data_pole(row.lv1[size_t(c)]);
}

int OntList::dodaj(OntListRow row)
{
    wejscie(row);
    const int at = rozmiar();
    m_lv1->beginInsertRows({}, at, at);
    m_lv1b->beginInsertRows({}, at, at);
    m_rows.push_back(std::move(row));
    m_lv1b->endInsertRows();
    m_lv1->endInsertRows();
    return at;
}

void OntList::usun(int row)
{
    if (!poprawnyWiersz(row))
        return;
    m_lv1->beginRemoveRows({}, row, row);
    m_lv1b->beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    m_lv1b->endRemoveRows();
    m_lv1->endRemoveRows();
}

void OntList::wyczysc()
{
    zastap({});
}

void OntList::zastap(std::vector<OntListRow> rows)
{
    for (OntListRow &r : rows)
        wejscie(r);
    m_lv1->beginResetModel();
    m_lv1b->beginResetModel();
    m_rows = std::move(rows);
    m_lv1b->endResetModel();
    m_lv1->endResetModel();
}

void OntList::ustawKomorke(int row, int col, const QString &text)
{
    if (!poprawnyWiersz(row) || col < 0 || col >= core::kol::Count)
        return;
    QString &cell = m_rows[size_t(row)].lv1[size_t(col)];
    cell = col == core::kol::Rx ? text : core::ont_data_pole(text);
    const QModelIndex i = m_lv1->index(row, col);
    Q_EMIT m_lv1->dataChanged(i, i, {Qt::DisplayRole});
}

void OntList::ustawKomorkeB(int row, int col, const QString &text)
{
    if (!poprawnyWiersz(row) || col < 0 || col >= core::kolb::Count)
        return;
    m_rows[size_t(row)].lv1b[size_t(col)] = text;
    // The colours of every cell of a basic row depend on its "gepon" and
    // "Active?" cells, so the whole row is redrawn.
    Q_EMIT m_lv1b->dataChanged(m_lv1b->index(row, 0), m_lv1b->index(row, core::kolb::Count - 1));
}

void OntList::ustawObraz(int row, int image)
{
    if (!poprawnyWiersz(row))
        return;
    m_rows[size_t(row)].image = image;
    Q_EMIT m_lv1->dataChanged(m_lv1->index(row, 0), m_lv1->index(row, core::kol::Count - 1));
}

void OntList::ustawObrazB(int row, int image)
{
    if (!poprawnyWiersz(row))
        return;
    m_rows[size_t(row)].imageB = image;
    Q_EMIT m_lv1b->dataChanged(m_lv1b->index(row, 0), m_lv1b->index(row, core::kolb::Count - 1));
}

void OntList::ustawPlik(const QString &appDir, const QString &oltKey)
{
    if (appDir != m_appDir || oltKey != m_oltKey)
        m_failureReported = false;
    m_appDir = appDir;
    m_oltKey = oltKey;
}

QString OntList::sciezkaPliku() const
{
    return plikDanych(m_appDir, m_oltKey);
}

OntList::Odczyt OntList::odczytaj1(const QString &appDir, const QString &oltKey)
{
    wyczysc();
    ustawPlik(appDir, oltKey);
    m_plikNieodczytany.clear();
    const QString path = sciezkaPliku();
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        Q_EMIT importNeeded();
        return Odczyt::BrakPliku;
    }

    // A file that is there but cannot be opened still holds the operator's
    // list: importing over it or saving the (now empty) list would lose it.
    const std::optional<QByteArray> bytes = czytajPlik(path);
    if (!bytes) {
        m_plikNieodczytany = path;
        reportReadFailure(path);
        return Odczyt::BladOdczytu;
    }

    const QString text = core::ont_data_tekst(*bytes);
    Q_EMIT portCountersResetRequested();
    const core::OdczytDanych d = core::odczytaj1_nowe(text);
    if (!d.maRekordy) {
        Q_EMIT importNeeded();
        return Odczyt::BrakRekordow;
    }
    zastap(core::wierszeZPliku(d.rekordy));

    Q_EMIT loaded(rozmiar());
    const bool empty = m_rows.empty();
    if (empty)
        Q_EMIT importNeeded();
    Q_EMIT portStatisticsRequested();
    // The file is written back at once, so it always stands in the current form.
    zapisz1();
    return empty ? Odczyt::PustaLista : Odczyt::Wczytano;
}

bool OntList::zapisz1()
{
    m_timZapisz.stop();
    if (m_trace)
        m_trace->add(QStringLiteral("a13"));
    // Before the first login there is no OLT and nothing to write.
    if (m_oltKey.isEmpty())
        return false;
    const QString path = sciezkaPliku();
    if (!path.isEmpty() && path == m_plikNieodczytany) {
        reportSaveFailure(path,
                          QStringLiteral("Plik nie dal sie odczytac przy logowaniu i nie jest nadpisywany / "
                                         "The file could not be read at login and is not written over."));
        return false;
    }
    const WynikZapisu w = zapiszAtomowo(path, core::ont_data_bajty(core::zapisz1_tekst(m_rows)));
    if (!w.ok) {
        reportSaveFailure(path.isEmpty() ? QStringLiteral("data-") + m_oltKey + QStringLiteral(".ph") : path, w.blad);
        return false;
    }
    m_failureReported = false;
    Q_EMIT saved(path);
    if (m_trace)
        m_trace->add(QStringLiteral("a13-end"));
    return true;
}

void OntList::a1_tim_zapisz_restart()
{
    m_timZapisz.stop();
    m_timZapisz.setInterval(timing::scaled(timing::kDeferredSaveMs));
    m_timZapisz.start();
}

void OntList::setDialogParent(QWidget *w)
{
    m_dialogParent = w;
}

void OntList::reportSaveFailure(const QString &path, const QString &reason)
{
    Q_EMIT saveFailed(path, reason);
    if (m_failureReported)
        return;
    m_failureReported = true;
    ui::DialogService::instance().error(
        m_dialogParent,
        QStringLiteral("Blad zapisu!"),
        QStringLiteral("Nie udalo sie zapisac listy ONT do pliku / The ONT list could not be saved to the file:\n%1\n\n%2\n\n"
                       "Lista w programie pozostaje bez zmian / The list in the program is kept.")
            .arg(path, reason));
}

void OntList::reportReadFailure(const QString &path)
{
    ui::DialogService::instance().error(
        m_dialogParent,
        QStringLiteral("Blad odczytu!"),
        QStringLiteral("Nie udalo sie odczytac listy ONT z pliku / The ONT list could not be read from the file:\n%1\n\n"
                       "Plik nie zostanie nadpisany; po usunieciu przyczyny zaloguj sie ponownie / "
                       "The file will not be written over; log in again once the cause is removed.")
            .arg(path));
}

} // namespace tervix::registry
