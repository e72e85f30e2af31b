#pragma once

#include "core/ont_record.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace tervix::core {

// One ONT of a frame as the OLT reports it, assembled from three listings:
// "display ont info F all", "display service-port all" and
// "display igmp user all".
struct ImportRow
{
    QString ponType;                        // "E.PON" when SN/MAC is shorter than 15 characters, else "G.PON"
    QString frame, slot, port, ontId;
    QString name = QStringLiteral("-");     // "-" until its description row is read
    QString serialOrMac;
    QString servicePorts = QStringLiteral("-"); // the service-port field, "-" until the first service port
    QString active;                         // "1" disabled, "0" active
    QString online;                         // "-1" online, "0" offline

    friend bool operator==(const ImportRow &, const ImportRow &) = default;
};

// The import of one frame, read one listing at a time as the OLT delivers
// them (state and descriptions first, then service ports, then IGMP users).
// Every step is linear in its listing: rows are found by place and service
// ports by index through hashes, so a frame of tens of thousands of ONTs is
// never scanned once per line.
//
// Each step also checks that its listing is whole. problems() collects the
// reasons, as texts for the operator; an import with any reason must not
// replace the list, since a listing cut short would silently drop ONTs.
class ImportList
{
public:
    // The listings are those of frame `frame` (the text the commands were typed with).
    explicit ImportList(const QString &frame);

    // "display ont info F all", collected over its pages. Starts the list anew.
    void readOntListing(const QString &listing);
    // "display service-port all": one service-port group per row, appended to
    // its ONT's field in listing order.
    void readServicePortListing(const QString &listing);
    // "display igmp user all": sets the IGMP flag of the groups named.
    void readIgmpListing(const QString &listing);

    const std::vector<ImportRow> &rows() const { return m_rows; }
    // Reasons the import is not whole, empty when it is.
    const QStringList &problems() const { return m_problems; }

    // Lines of the frame that named no listed ONT, or no service port of one.
    int servicePortsWithoutOnt() const { return m_servicePortsWithoutOnt; }
    int igmpUsersWithoutServicePort() const { return m_igmpUsersWithoutServicePort; }

private:
    struct Group
    {
        QString index, vlan, gemPort;
        int row = -1;
        int next = -1;      // the row's next group, -1 after its last
        bool igmp = false;
    };
    // Rows by place: a place of plain numbers, as nearly every one is, packed
    // into one integer; any other by its text.
    struct Places
    {
        QHash<quint64, int> numeric;
        QHash<QString, int> other;
        void clear();
        // A place listed twice keeps its first row.
        void insert(QStringView frame, QStringView slot, QStringView port, QStringView id, int row);
        int find(QStringView frame, QStringView slot, QStringView port, QStringView id) const; // -1 when not listed
    };
    QString fieldText(size_t row, bool reencode) const;

    QString m_frame;
    std::vector<ImportRow> m_rows;
    std::vector<Group> m_groups;                // every service port of a listed ONT, in listing order
    std::vector<int> m_firstGroup, m_lastGroup; // per row, -1 without service ports
    Places m_rowAt;
    QHash<qint64, int> m_groupAt;               // service-port index -> its group
    QStringList m_problems;
    int m_servicePortsWithoutOnt = 0;
    int m_igmpUsersWithoutServicePort = 0;
};

// Whether the frame typed for the import may go into the command line: one to
// three digits and nothing else (no blanks, signs or command text).
bool isImportFrame(QStringView text);

struct ImportSummary
{
    int oldCount = 0;   // rows of the list now
    int newCount = 0;   // rows after the import
    int carried = 0;    // imported rows that kept their local fields
    int added = 0;      // imported rows the list did not have
    int dropped = 0;    // rows of the list that the OLT no longer reports

    friend bool operator==(const ImportSummary &, const ImportSummary &) = default;
};

struct ImportResult
{
    std::vector<OntRecord> rows;
    ImportSummary summary;
};

// The new authorised-ONT list from an import and the list it replaces. An
// imported ONT whose place and SN/MAC (any case) match a row of the list keeps
// what only the list knows: origin, line and service profiles, CATV attribute,
// subscriber id, and the native-VLAN flag of every service port whose index
// the list's field also holds. Any other ONT gets "-" profiles, CATV "0;1;^",
// no subscriber id and origin "-". Image 2 online, 3 offline.
ImportResult applyImport(const std::vector<ImportRow> &imported, const std::vector<OntRecord> &current);

// The name of the copy of a data file kept before an import replaces it:
// "data-KEY.ph" -> "data-KEY.ph.20250117-093005.bak".
QString dataFileBackupName(const QString &fileName, const QDateTime &at);

} // namespace tervix::core
