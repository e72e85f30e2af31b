#pragma once

#include "core/ont_record.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace tervix::core {

// The file the report is written to, in the application's data folder.
inline constexpr char kSlotReportFileName[] = "tervix_ont.html";

// The slot report of the list: a header with the program's link, then for each
// frame/slot/port, in order of first appearance, a heading with its ONT count
// and a table of its ONTs (description, SN/MAC, ONT id) in list order.
//
// The result is a whole HTML document encoded as UTF-8 and saying so, so that
// a browser shows Polish names as they are; every value from the list is
// escaped, so a name can never become markup.
QByteArray slotReportHtml(const std::vector<OntRecord> &rows);

// Text escaped for HTML element content and quoted attribute values.
QString escapeHtml(const QString &text);

} // namespace tervix::core
