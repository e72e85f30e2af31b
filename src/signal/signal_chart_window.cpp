#include "signal/signal_chart_window.h"

#include "core/signal_class.h"
#include "signal/signal_chart_geometry.h"
#include "signal/signal_history_store.h"
#include "ui/colors.h"

#include <QFont>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tervix::signal {

namespace {

constexpr int kLabelFontSize = 7;

// Text whose top-left corner is at `at`, on the given background.
void drawTextAt(QPainter &p, QPoint at, const QString &text, const QColor &background)
{
    const QFontMetrics metrics = p.fontMetrics();
    const QRect box(at, QSize(metrics.horizontalAdvance(text), metrics.height()));
    p.fillRect(box, background);
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
}

void drawBars(QPainter &p, const QList<ChartBar> &bars, const QColor &grey)
{
    for (const ChartBar &bar : bars) {
        // A one-pixel outline round the fill, painted pixel-exact: a bar on
        // the floor is a single row of outline.
        p.fillRect(bar.rect, ui::colorFromBgr(bar.colours.pen));
        const QRect inside = bar.rect.adjusted(1, 1, -1, -1);
        if (inside.isValid())
            p.fillRect(inside, ui::colorFromBgr(bar.colours.fill));
    }
    for (const ChartBar &bar : bars) {
        drawTextAt(p, bar.valueAt, QString::number(bar.level), Qt::white);
        drawTextAt(p, bar.dateAt, bar.date, grey);
    }
}

} // namespace

SignalChartWindow::SignalChartWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Wykres / Chart (rx ont/olt)"));
    titleLabel = new QLabel(this);
    QFont bold = titleLabel->font();
    bold.setBold(true);
    titleLabel->setFont(bold);
    titleLabel->setStyleSheet(QStringLiteral("color: red;"));
    scrollBox = new QScrollArea(this);
    scrollBox->setBackgroundRole(QPalette::Dark);
    QPalette grey = scrollBox->palette();
    grey.setColor(QPalette::Dark, Qt::gray);
    scrollBox->setPalette(grey);
    scrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    imageLabel = new QLabel;
    imageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scrollBox->setWidget(imageLabel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel);
    layout->addWidget(scrollBox, 1);
    resize(640, chart_layout::kHeight + 80);
}

QImage SignalChartWindow::renderChart(const QList<core::HistoryRecord> &records)
{
    const ChartGeometry g = chartGeometry(records);
    QImage image(g.size, QImage::Format_RGB32);
    const QColor grey = ui::colorFromBgr(core::signal_colours::kChartBackground);
    image.fill(grey);
    QPainter p(&image);
    drawTextAt(p, chart_layout::kOntCaption, QStringLiteral("ONT:"), Qt::white);
    drawTextAt(p, chart_layout::kOltCaption, QStringLiteral("OLT:"), Qt::white);
    QFont small = p.font();
    small.setPointSize(kLabelFontSize);
    p.setFont(small);
    drawBars(p, g.ontBars, grey);
    drawBars(p, g.oltBars, grey);
    return image;
}

void SignalChartWindow::setChart(const QList<core::HistoryRecord> &records, const QString &ontKey,
                                 const QString &title)
{
    m_image = renderChart(records);
    imageLabel->setPixmap(QPixmap::fromImage(m_image));
    imageLabel->resize(m_image.size());
    scrollBox->horizontalScrollBar()->setValue(0);
    titleLabel->setText(QStringLiteral("Loid: ") + ontKey + QStringLiteral(" - ") + title);
}

bool SignalChartWindow::showChart(const SignalHistoryStore &store, const QString &oltKey, const QString &ontKey,
                                  const QString &title)
{
    const SignalHistoryStore::Loaded loaded = store.load(oltKey, ontKey);
    if (loaded.state != SignalHistoryStore::Loaded::State::Read)
        return false;
    setChart(loaded.history.records, ontKey, title);
    show();
    raise();
    activateWindow();
    return true;
}

} // namespace tervix::signal
