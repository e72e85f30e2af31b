#pragma once

#include <QString>
#include <QStringView>

#include <iterator>
#include <vector>

namespace tervix::core {

// One ONT line of "display ont info F all": a state line (place, SN/MAC,
// control flag, run state) or a description line (place, description).
struct OntLine
{
    QString frame, slot, port, id, serialOrMac, name;
    bool deactivated = false;   // control flag contains "deactiva" (any case)
    bool online = true;         // run state read as online

    friend bool operator==(const OntLine &, const OntLine &) = default;
};

// Reads one line the way the console has always read these lines: the place
// after the first two consecutive spaces, then the ONT id, then either the
// description (the rest of the line up to a carriage return, padding
// included) or SN/MAC, control flag and run state. Only a run state that says
// "online" reads as online: "offline", "-" (the OLT does not know) and
// anything else do not, so an ONT the OLT cannot vouch for is never shown up.
OntLine parseOntLine(QStringView line, bool descriptionLine);

// The state rows of a listing. A status read brings tens of thousands of
// them, so they are kept compact (numbers and one shared text of SNs) and a
// row becomes an OntLine only when asked for.
class OntStates
{
public:
    size_t size() const { return m_rows.size(); }
    bool empty() const { return m_rows.empty(); }
    OntLine operator[](size_t i) const;
    QStringView serialOrMac(size_t i) const;
    bool online(size_t i) const { return m_rows[i].online; }
    bool deactivated(size_t i) const { return m_rows[i].deactivated; }

    void reserve(size_t n) { m_rows.reserve(n); }
    void append(const OntLine &line);
    // A row whose place is plain numbers, as nearly every row is.
    void appendPlain(int frame, int slot, int port, int id, QStringView serial, bool deactivated, bool online);
    // Listings built by hand (tests, other readers).
    OntStates &operator=(const std::vector<OntLine> &lines);

    class const_iterator
    {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = OntLine;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = OntLine;
        const_iterator(const OntStates *s, size_t i) : m_states(s), m_i(i) {}
        OntLine operator*() const { return (*m_states)[m_i]; }
        const_iterator &operator++() { ++m_i; return *this; }
        const_iterator operator++(int) { const_iterator t = *this; ++m_i; return t; }
        bool operator==(const const_iterator &o) const { return m_i == o.m_i; }
        bool operator!=(const const_iterator &o) const { return m_i != o.m_i; }

    private:
        const OntStates *m_states;
        size_t m_i;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    struct Row
    {
        int frame = 0, slot = 0, port = 0, id = 0;
        qsizetype serialAt = 0;
        qsizetype serialSize = 0;
        int odd = -1; // index into m_odd for a row whose place is not plain numbers
        bool deactivated = false;
        bool online = false;
    };
    std::vector<Row> m_rows;
    QString m_serials;
    std::vector<OntLine> m_odd;
};

// A port's footer: its place "F/S/P" and the total of ONTs it gives.
struct PortTotal
{
    QString place;
    int total = 0;
    friend bool operator==(const PortTotal &, const PortTotal &) = default;
};

struct StateListing
{
    OntStates states;             // every state line, in order
    int count = 0;                // state lines found
    bool whole = false;           // every port's footer total agrees with the rows read for it, and at least one footer
    std::vector<PortTotal> footers;     // every footer read, in order
    std::vector<OntLine> descriptions;  // the description rows, when asked for
};

// Reads the state lines of frame `frame` out of a collected (page-joined)
// "display ont info F all". The listing is read once, line by line, by its
// structure: a port's part is a state table (a header line starting "F/S/P",
// a separator, the rows, a separator), a description table (the same with
// "Description" in its header) and the footer
// "In port F/S/P, the total of ONTs are: N, online: M[, offline: K]"; a port
// without ONTs may be the footer alone. Description rows are data whatever
// they say, so a description can neither end a table nor pose as a row or a
// footer.
//
// The listing is whole only when every footer's total equals the state rows
// read for its port since the previous footer, no rows come after the last
// footer and there is at least one footer: a listing cut short (a read that
// timed out, a lost page) must not pass for the OLT's ONT count.
//
// With descriptions, the description rows of the frame are kept too (the
// import names its ONTs by them); the status reads do without.
StateListing parseStateListing(const QString &listing, const QString &frame, bool descriptions = false);

} // namespace tervix::core
