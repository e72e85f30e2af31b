#pragma once

#include <QString>

namespace tervix::session {

// The short tags the trace log records on entry to an operation, and with
// "-end" on its normal exit. The operator reads them in the debug window, so
// they stay short and stable.
namespace TraceTag {
inline const QString kMainStep = QStringLiteral("a1");           // a step of the main engine
inline const QString kAddOnt = QStringLiteral("a2");             // "[+] Dodaj"
inline const QString kAddOntListed = QStringLiteral("a2b");      // the added ONT is listed
inline const QString kClearAddForm = QStringLiteral("a3");
inline const QString kKeepAlive = QStringLiteral("a4");
inline const QString kRefreshUnauthorised = QStringLiteral("a5");
inline const QString kSaveReminderCheck = QStringLiteral("a6");
inline const QString kReenableAdd = QStringLiteral("a7");
inline const QString kIdentificationPoll = QStringLiteral("a8");
inline const QString kAccountStep = QStringLiteral("a8");        // a step of the account connection
inline const QString kParseUnauthorised = QStringLiteral("a11");
inline const QString kMarkAdded = QStringLiteral("a12");
inline const QString kSaveOntList = QStringLiteral("a13");
inline const QString kLastAddress = QStringLiteral("a17");
inline const QString kTakeFromUnauthorised = QStringLiteral("a23");
inline const QString kSaveColumnWidths = QStringLiteral("a26");
inline const QString kScanStep = QStringLiteral("a13s");         // a step of the scanning connection

// The tag written when an operation ends normally.
inline QString end(const QString &tag)
{
    return tag + QStringLiteral("-end");
}
} // namespace TraceTag

} // namespace tervix::session
