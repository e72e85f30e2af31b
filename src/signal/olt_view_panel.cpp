#include "signal/olt_view_panel.h"

#include "ui/colors.h"

#include <QAction>
#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tervix::signal {

namespace {

namespace colours = core::picture_colours;

// Where a port panel keeps its place, for the click that opens its menu.
constexpr char kBoardProperty[] = "pictureBoard";
constexpr char kPortProperty[] = "picturePort";
constexpr int kCriticalButtonSize = 15;

QLabel *placeLabel(QWidget *parent, const QString &text, int pointSize, bool bold, const QColor &colour, int left,
                   int top)
{
    auto *label = new QLabel(text, parent);
    QFont f = label->font();
    f.setPointSize(pointSize);
    f.setBold(bold);
    label->setFont(f);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    label->adjustSize();
    label->move(left, top);
    // The panel under the label takes the click that opens the port menu.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void setBackground(QWidget *w, const QColor &colour)
{
    QPalette p = w->palette();
    if (p.color(QPalette::Window) == colour && w->autoFillBackground())
        return;
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void setCount(QLabel *label, int value)
{
    label->setText(QString::number(value));
    label->adjustSize();
}

// "F/S/P" of an outage as the board and port of the picture; the picture
// draws the boards of every frame alike, so the frame is not compared.
bool outagePlace(const QString &key, int *board, int *port)
{
    const QStringList parts = key.split(u'/');
    if (parts.size() != 3)
        return false;
    bool okBoard = false, okPort = false;
    *board = parts[1].toInt(&okBoard);
    *port = parts[2].toInt(&okPort);
    return okBoard && okPort && *board >= 0 && *board < core::OltPicture::kBoards && *port >= 0
        && *port < core::OltPicture::kPorts;
}

} // namespace

QColor OltViewPanel::pictureColour(int value)
{
    // The picture's colours are written as the toolkit's BGR integers, as the
    // console's colours have always been (the critical count's 255 is red,
    // the port number's 128 dark red, the blink colours pink).
    return ui::colorFromBgr(value);
}

OltViewPanel::OltViewPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("OLT"), parent)
{
    setObjectName(QStringLiteral("oltViewPanel"));

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(2, 0, 2, 2);
    column->setSpacing(2);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->addStretch(1);
    const auto makeButton = [this, header](const QString &text, const char *name) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFixedSize(20, 16);
        header->addWidget(b);
        return b;
    };
    expandButton = makeButton(QStringLiteral("+"), "expandButton");
    collapseButton = makeButton(QStringLiteral("-"), "collapseButton");
    undockButton = makeButton(QStringLiteral("/"), "undockButton");
    column->addLayout(header);
    connect(expandButton, &QPushButton::clicked, this, &OltViewPanel::expand);
    connect(collapseButton, &QPushButton::clicked, this, &OltViewPanel::collapse);
    connect(undockButton, &QPushButton::clicked, this, [this] {
        portMenu->hide();
        Q_EMIT undockRequested();
    });

    scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(QStringLiteral("boardStrips"));
    scrollArea->setWidgetResizable(true);
    auto *strips = new QWidget;
    setBackground(strips, pictureColour(colours::kStripBackground));
    auto *stripColumn = new QVBoxLayout(strips);
    stripColumn->setContentsMargins(0, 0, 0, 0);
    stripColumn->setSpacing(0);
    for (int b = 0; b < kBoards; ++b) {
        buildStrip(b, strips);
        stripColumn->addWidget(m_boards[size_t(b)].strip);
    }
    stripColumn->addStretch(1);
    scrollArea->setWidget(strips);
    column->addWidget(scrollArea, 1);

    portMenu = new QMenu(this);
    portMenu->setObjectName(QStringLiteral("portMenu"));
    QPalette menuPalette = portMenu->palette();
    menuPalette.setColor(QPalette::Window, pictureColour(colours::kPortMenu));
    portMenu->setPalette(menuPalette);
    drawSplitterAction = portMenu->addAction(QStringLiteral("draw rysuj spliter"));
    allOntsAction = portMenu->addAction(QStringLiteral("all ont wszystkie"));
    connect(allOntsAction, &QAction::triggered, this, [this] {
        portMenu->hide();
        if (m_menuBoard >= 0)
            Q_EMIT allOntsRequested(m_menuBoard, m_menuPort);
    });
    m_menuHideTimer.setSingleShot(true);
    m_menuHideTimer.setInterval(kMenuHideMs);
    connect(&m_menuHideTimer, &QTimer::timeout, portMenu, &QMenu::hide);

    m_blinkTimer.setInterval(kBlinkMs);
    connect(&m_blinkTimer, &QTimer::timeout, this, &OltViewPanel::blink);
    m_blinkTimer.start();

    // Until a list is loaded the picture is only its caption row.
    collapse();
}

void OltViewPanel::buildStrip(int board, QWidget *parent)
{
    Board &b = m_boards[size_t(board)];
    b.strip = new QFrame(parent);
    b.strip->setObjectName(QStringLiteral("boardStrip%1").arg(board));
    b.strip->setFrameShape(QFrame::Panel);
    b.strip->setFrameShadow(QFrame::Raised);
    b.strip->setFixedHeight(kStripHeight);
    b.strip->setMinimumWidth(kFirstPortLeft + kPorts * kPortStep);
    b.strip->hide();

    b.number = placeLabel(b.strip, QString::number(board), 12, true, pictureColour(colours::kBoardNumber), 2, 0);
    b.total = placeLabel(b.strip, QStringLiteral("0"), 10, true, Qt::black, 2, 0);
    b.total->move(2, kPortHeight - b.total->height());

    const QColor black(Qt::black);
    for (int p = 0; p < kPorts; ++p) {
        Port &port = b.ports[size_t(p)];
        port.panel = new QFrame(b.strip);
        port.panel->setObjectName(QStringLiteral("portPanel%1_%2").arg(board).arg(p));
        port.panel->setGeometry(kFirstPortLeft + p * kPortStep, 1, kPortWidth, kPortHeight);
        port.panel->setProperty(kBoardProperty, board);
        port.panel->setProperty(kPortProperty, p);
        port.panel->setCursor(Qt::PointingHandCursor);
        port.panel->installEventFilter(this);
        setBackground(port.panel, pictureColour(colours::kNeutral));

        port.number = placeLabel(port.panel, QString::number(p), 14, true, pictureColour(colours::kPortNumber), 0, -2);
        placeLabel(port.panel, QStringLiteral("Ont:"), 8, false, black, 28, 0);
        port.total = placeLabel(port.panel, QStringLiteral("0"), 8, true, black, 51, 0);
        port.online = placeLabel(port.panel, QStringLiteral("0"), 8, true, pictureColour(colours::kOnlineCount), 28, 12);
        port.offline = placeLabel(port.panel, QStringLiteral("0"), 8, true, pictureColour(colours::kOfflineCount), 51, 12);
        placeLabel(port.panel, QStringLiteral("Err:"), 8, false, black, 3, 24);
        port.critical = placeLabel(port.panel, QStringLiteral("0"), 8, true, pictureColour(colours::kCriticalCount), 28, 24);

        port.criticalButton = new QPushButton(QStringLiteral("?"), port.panel);
        port.criticalButton->setObjectName(QStringLiteral("criticalButton%1_%2").arg(board).arg(p));
        port.criticalButton->setGeometry(kPortWidth - kCriticalButtonSize - 3, 24, kCriticalButtonSize,
                                         kCriticalButtonSize);
        port.criticalButton->setToolTip(QStringLiteral("Critical"));
        port.criticalButton->hide();
        connect(port.criticalButton, &QPushButton::clicked, this,
                [this, board, p] { Q_EMIT portCriticalRequested(board, p); });
    }
}

void OltViewPanel::setPicture(const core::OltPicture &picture)
{
    bool boardsChanged = false;
    for (int b = 0; b < kBoards; ++b) {
        const core::PictureBoard &pb = picture.boards[size_t(b)];
        Board &board = m_boards[size_t(b)];
        boardsChanged = boardsChanged || pb.shown != m_picture.boards[size_t(b)].shown;
        board.strip->setVisible(pb.shown);
        setCount(board.total, pb.total);
        board.total->move(2, kPortHeight - board.total->height());
        for (int p = 0; p < kPorts; ++p) {
            const core::PicturePort &pp = pb.ports[size_t(p)];
            Port &port = board.ports[size_t(p)];
            port.panel->setVisible(p < pb.shownPorts);
            setCount(port.total, pp.total);
            setCount(port.online, pp.online);
            setCount(port.offline, pp.offline);
            setCount(port.critical, pp.critical);
            port.criticalButton->setVisible(pp.critical > 0);
        }
    }
    m_picture = picture;
    for (int b = 0; b < kBoards; ++b)
        for (int p = 0; p < kPorts; ++p)
            recolourPort(b, p);

    // A list loaded, an ONT added on a board not shown before, an import:
    // the picture opens to show them. A recount leaves the operator's choice.
    if (boardsChanged && picture.shownBoards > 0)
        expand();
    else
        applyHeight();
}

void OltViewPanel::setOutages(const core::PortOutages &outages)
{
    for (Board &board : m_boards)
        for (Port &port : board.ports)
            port.panel->setToolTip(QString());
    m_outagePorts.clear();
    for (auto it = outages.cbegin(); it != outages.cend(); ++it) {
        int b = 0, p = 0;
        if (!outagePlace(it.key(), &b, &p))
            continue;
        m_outagePorts.insert(b * kPorts + p);
        m_boards[size_t(b)].ports[size_t(p)].panel->setToolTip(core::outageText(it.value()));
    }
    for (int b = 0; b < kBoards; ++b)
        for (int p = 0; p < kPorts; ++p)
            recolourPort(b, p);
}

void OltViewPanel::recolourPort(int board, int port)
{
    const Port &widgets = m_boards[size_t(board)].ports[size_t(port)];
    const bool inOutage = m_outagePorts.contains(board * kPorts + port);
    const int colour = inOutage ? colours::kOutage
                                : core::portColour(m_picture.boards[size_t(board)].ports[size_t(port)], m_blinkOn);
    setBackground(widgets.panel, pictureColour(colour));
}

void OltViewPanel::blink()
{
    m_blinkOn = !m_blinkOn;
    for (int b = 0; b < kBoards; ++b) {
        if (!m_picture.boards[size_t(b)].shown)
            continue;
        for (int p = 0; p < kPorts; ++p)
            if (m_picture.boards[size_t(b)].ports[size_t(p)].critical > 0)
                recolourPort(b, p);
    }
}

void OltViewPanel::setAvailableHeight(int height)
{
    m_availableHeight = height;
    applyHeight();
}

int OltViewPanel::collapsedHeight() const
{
    const QMargins box = contentsMargins();
    const QMargins inner = layout()->contentsMargins();
    return box.top() + box.bottom() + inner.top() + inner.bottom() + expandButton->height();
}

int OltViewPanel::expandedHeight() const
{
    int strips = m_picture.shownBoards;
    if (m_availableHeight > 0 && m_availableHeight - strips * kStripHeight < kMinimumListHeight)
        strips = qMin(strips, kMostStripsWhenShort);
    if (strips <= 0)
        return collapsedHeight();
    return collapsedHeight() + layout()->spacing() + 2 * scrollArea->frameWidth() + strips * kStripHeight;
}

void OltViewPanel::expand()
{
    m_expanded = true;
    applyHeight();
}

void OltViewPanel::collapse()
{
    m_expanded = false;
    applyHeight();
}

void OltViewPanel::applyHeight()
{
    const int height = m_expanded ? expandedHeight() : collapsedHeight();
    scrollArea->setVisible(m_expanded && m_picture.shownBoards > 0);
    if (maximumHeight() == height)
        return;
    setMaximumHeight(height);
    Q_EMIT heightLimitChanged(height);
}

void OltViewPanel::openPortMenu(int board, int port)
{
    const Port *p = portAt(board, port);
    if (!p)
        return;
    m_menuBoard = board;
    m_menuPort = port;
    // Just under the port, inside its strip, so it covers no other port's counts.
    portMenu->popup(p->panel->mapToGlobal(QPoint(5, kStripHeight - 5 - p->panel->y())));
    m_menuHideTimer.start();
}

bool OltViewPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QVariant board = watched->property(kBoardProperty);
        if (mouse->button() == Qt::LeftButton && board.isValid()) {
            openPortMenu(board.toInt(), watched->property(kPortProperty).toInt());
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

const OltViewPanel::Port *OltViewPanel::portAt(int board, int port) const
{
    if (board < 0 || board >= kBoards || port < 0 || port >= kPorts)
        return nullptr;
    return &m_boards[size_t(board)].ports[size_t(port)];
}

QFrame *OltViewPanel::strip(int board) const
{
    return board >= 0 && board < kBoards ? m_boards[size_t(board)].strip : nullptr;
}

QFrame *OltViewPanel::portPanel(int board, int port) const
{
    const Port *p = portAt(board, port);
    return p ? p->panel : nullptr;
}

QPushButton *OltViewPanel::criticalButton(int board, int port) const
{
    const Port *p = portAt(board, port);
    return p ? p->criticalButton : nullptr;
}

QLabel *OltViewPanel::boardTotalLabel(int board) const
{
    return board >= 0 && board < kBoards ? m_boards[size_t(board)].total : nullptr;
}

QString OltViewPanel::portText(int board, int port, PortText which) const
{
    const Port *p = portAt(board, port);
    if (!p)
        return {};
    switch (which) {
    case PortText::Number: return p->number->text();
    case PortText::Total: return p->total->text();
    case PortText::Online: return p->online->text();
    case PortText::Offline: return p->offline->text();
    case PortText::Critical: return p->critical->text();
    }
    return {};
}

QColor OltViewPanel::portColourNow(int board, int port) const
{
    const Port *p = portAt(board, port);
    return p ? p->panel->palette().color(QPalette::Window) : QColor();
}

bool OltViewPanel::isBoardShown(int board) const
{
    return board >= 0 && board < kBoards && !m_boards[size_t(board)].strip->isHidden();
}

int OltViewPanel::shownPortCount(int board) const
{
    if (board < 0 || board >= kBoards)
        return 0;
    int n = 0;
    for (const Port &p : m_boards[size_t(board)].ports)
        n += p.panel->isHidden() ? 0 : 1;
    return n;
}

} // namespace tervix::signal
