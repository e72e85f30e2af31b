#pragma once

#include "core/autofind_parser.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <optional>

namespace tervix::provisioning {

class AddFormView;
class ControllerContext;

// The ONTs the OLT found but nobody authorised yet: the listing after login,
// the refresh on request and after some minutes without OLT activity, the
// "added" mark of a row, and taking a row into the form ("add as new" asks the
// OLT for the free service ports and the next id; "copy to form" only fills
// it). The list itself is shown by whoever connects to the signals; the list
// needs attention (blinks) while it holds a row nobody dealt with.
class UnauthorisedController : public QObject
{
    Q_OBJECT
public:
    struct Row
    {
        core::UnauthorisedOnt ont;
        bool added = false;
    };

    UnauthorisedController(ControllerContext &context, AddFormView &form, QObject *parent = nullptr);

    const QList<Row> &rows() const { return m_rows; }
    bool blinkNeeded() const { return m_blinkNeeded; }

    void refreshUnauthorised();
    void parseAutofind(const QString &listing);
    void markAdded(const QString &serialOrMac);
    // The sibling program's lookup: MAC/SN followed by the place, for a row not yet added.
    bool isWaitingUnauthorised(const QString &serialAndPlace) const;
    void takeFromUnauthorised(const QString &serialOrMac, const QString &place, const QString &ponType,
                              const QString &name);
    // The operator's menu on the list; row -1 when nothing is selected.
    void addAsNew(int row);
    void copyToForm(int row);

    // The periodic refresh: on, and its minutes without OLT activity.
    void setAutoRefresh(bool on);
    void setAutoRefreshMinutes(int minutes);
    void periodicRefresh();
    QTimer &periodicRefreshTimer() { return m_periodicRefresh; }
    // keepAlive ran: the periodic refresh counts from now.
    void onKeepAlive();

Q_SIGNALS:
    void rowsReplaced(const QList<tervix::core::UnauthorisedOnt> &onts);
    void rowMarkedAdded(int row);
    void countChanged(int count);
    // Sent on each decision, also when it repeats: true (re)starts the
    // blinking, false stops it and gives the list its own colour back.
    void blinkNeededChanged(bool needed);
    // Taking a row starts from a clear form.
    void formClearRequested();

private:
    void registerSteps();
    void setBlinkNeeded(bool needed);
    // The row's ONT, when there is a row and a session to use it in.
    std::optional<core::UnauthorisedOnt> usableRow(int row) const;
    // Type, MAC/SN and place of an ONT into the form.
    void fillOnt(const QString &mac, const QString &port, const QString &ponType);

    ControllerContext &m_context;
    AddFormView &m_form;
    QList<Row> m_rows;
    bool m_blinkNeeded = false;
    bool m_autoRefresh = true;
    int m_autoRefreshMinutes = 8;
    QTimer m_periodicRefresh;
};

} // namespace tervix::provisioning
