#include "provisioning/unauthorised_controller.h"

#include "core/form_input_rules.h"
#include "core/free_ids_parser.h"
#include "core/timing.h"
#include "provisioning/add_form_view.h"
#include "provisioning/controller_context.h"
#include "session/main_steps.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "session/trace_tags.h"

namespace tervix::provisioning {

namespace MainStep = session::MainStep;
namespace TraceTag = session::TraceTag;
using session::StepEngine;

UnauthorisedController::UnauthorisedController(ControllerContext &context, AddFormView &form, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_form(form)
{
    m_periodicRefresh.setInterval(timing::scaled(timing::kUnauthorisedCheckMs));
    connect(&m_periodicRefresh, &QTimer::timeout, this, &UnauthorisedController::periodicRefresh);
    registerSteps();
}

void UnauthorisedController::registerSteps()
{
    StepEngine &engine = m_context.engine();
    engine.registerBranch(MainStep::kFirstUnauthorisedListing, [this](int) {
        m_context.session().clearBuffer();
        refreshUnauthorised();
        m_context.setSessionReady(false);
        return StepEngine::Outcome::Done;
    });
    // With more ONTs waiting than fit on one page (about thirty at "scroll
    // 512") the OLT stops at its page prompt: the table is collected across
    // pages, or the rest would be lost and the next command typed into the
    // prompt. An answer that fits on one page reads as before.
    engine.registerPagedBranch(MainStep::kUnauthorisedListing, [this](const QString &listing) {
        parseAutofind(listing);
        m_context.setSessionReady(true);
    });
}

void UnauthorisedController::setBlinkNeeded(bool needed)
{
    m_blinkNeeded = needed;
    Q_EMIT blinkNeededChanged(needed);
}

void UnauthorisedController::refreshUnauthorised()
{
    m_context.trace(TraceTag::kRefreshUnauthorised);
    if (!m_context.isReady())
        return;
    // Another step still waits for its answer (an add being judged, a
    // listing for the form): taking the slot would leave it unread.
    const int pending = m_context.engine().pending();
    if (pending != StepEngine::kNoStep && pending != MainStep::kUnauthorisedListing)
        return;
    setBlinkNeeded(false);
    m_context.keepAlive();
    // The listing's own line empties the memo when its turn comes, not now:
    // a batch still being typed keeps the answers the operator reads.
    m_context.session().sendLine(QString(core::kAutofindCommand), true);
    m_context.engine().arm(MainStep::kUnauthorisedListing);
    m_context.trace(TraceTag::end(TraceTag::kRefreshUnauthorised));
}

void UnauthorisedController::parseAutofind(const QString &listing)
{
    m_context.trace(TraceTag::kParseUnauthorised);
    const QList<core::UnauthorisedOnt> onts = core::parseAutofind(listing);
    m_rows.clear();
    m_rows.reserve(onts.size());
    for (const core::UnauthorisedOnt &o : onts)
        m_rows.append(Row{o, false});
    Q_EMIT rowsReplaced(onts);
    // A fresh listing marks nothing added: any row is one nobody dealt with.
    if (!m_rows.isEmpty())
        setBlinkNeeded(true);
    Q_EMIT countChanged(int(m_rows.size()));
    m_context.trace(TraceTag::end(TraceTag::kParseUnauthorised));
}

void UnauthorisedController::markAdded(const QString &serialOrMac)
{
    m_context.trace(TraceTag::kMarkAdded);
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].ont.serialOrMac == serialOrMac) {
            m_rows[i].added = true;
            Q_EMIT rowMarkedAdded(i);
            break;
        }
    }
    m_context.trace(TraceTag::end(TraceTag::kMarkAdded));
}

bool UnauthorisedController::isWaitingUnauthorised(const QString &serialAndPlace) const
{
    for (const Row &w : m_rows) {
        if (!w.added && core::unauthorisedKey(w.ont) == serialAndPlace)
            return true;
    }
    return false;
}

void UnauthorisedController::takeFromUnauthorised(const QString &serialOrMac, const QString &place,
                                                  const QString &ponType, const QString &name)
{
    m_context.trace(TraceTag::kTakeFromUnauthorised);
    Q_EMIT formClearRequested();
    m_context.keepAlive();
    setBlinkNeeded(false);
    m_form.setActiveState(0);
    // A name from the sibling program goes into a quoted description on the
    // OLT and into the data file: it arrives made fit for both.
    if (!name.isEmpty())
        m_form.setFieldText({core::Field::Name}, core::makeFit(name));
    fillOnt(serialOrMac, place, ponType);
    m_context.session().sendLine(QString(core::kNextFreeIndexCommand), true);
    m_context.engine().arm(MainStep::kFreeServicePort);
    m_form.focusName();
    m_context.trace(TraceTag::end(TraceTag::kTakeFromUnauthorised));
}

void UnauthorisedController::fillOnt(const QString &mac, const QString &port, const QString &ponType)
{
    if (ponType.contains(QStringLiteral("G.")))
        m_form.setPonType(2);
    else if (ponType.contains(QStringLiteral("E.")))
        m_form.setPonType(1);
    m_form.setFieldText({core::Field::SerialOrMac}, mac);
    const core::OntPlace m = core::splitPlace(port);
    m_form.setFieldText({core::Field::Frame}, m.frame);
    m_form.setFieldText({core::Field::Slot}, m.slot);
    m_form.setFieldText({core::Field::Port}, m.port);
}

std::optional<core::UnauthorisedOnt> UnauthorisedController::usableRow(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return std::nullopt;
    if (!m_context.isReady()) {
        m_context.notConnectedError();
        return std::nullopt;
    }
    return m_rows.at(row).ont;
}

void UnauthorisedController::addAsNew(int row)
{
    if (const auto o = usableRow(row))
        takeFromUnauthorised(o->serialOrMac, o->port, o->ponType, QString());
}

void UnauthorisedController::copyToForm(int row)
{
    const auto o = usableRow(row);
    if (!o)
        return;
    m_context.keepAlive();
    setBlinkNeeded(false);
    fillOnt(o->serialOrMac, o->port, o->ponType);
    m_form.focusName();
}

void UnauthorisedController::setAutoRefresh(bool on)
{
    m_autoRefresh = on;
}

void UnauthorisedController::setAutoRefreshMinutes(int minutes)
{
    m_autoRefreshMinutes = minutes;
}

void UnauthorisedController::periodicRefresh()
{
    if (m_autoRefresh && m_context.isReady())
        refreshUnauthorised();
}

void UnauthorisedController::onKeepAlive()
{
    m_periodicRefresh.stop();
    if (m_autoRefresh) {
        m_periodicRefresh.setInterval(timing::scaled(m_autoRefreshMinutes * timing::kMinuteMs));
        m_periodicRefresh.start();
    }
}

} // namespace tervix::provisioning
