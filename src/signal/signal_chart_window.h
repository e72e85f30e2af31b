#pragma once

#include "core/signal_history.h"

#include <QImage>
#include <QList>
#include <QWidget>

class QLabel;
class QScrollArea;

namespace tervix::signal {

class SignalHistoryStore;

// "Wykres / Chart (rx ont/olt)": one ONT's daily receive levels as bars, the
// ONT's above and the OLT's below, in a box that scrolls sideways.
class SignalChartWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SignalChartWindow(QWidget *parent = nullptr);

    // Shows the chart of ONT key "F.S.P.ID" from the connected OLT's folder.
    // Without a history to draw (no file, an unreadable one, one without a
    // header) nothing is shown and false is returned.
    bool showChart(const SignalHistoryStore &store, const QString &oltKey, const QString &ontKey,
                   const QString &title);
    // Draws the records and titles the window; does not show it.
    void setChart(const QList<core::HistoryRecord> &records, const QString &ontKey, const QString &title);

    // The chart image of the records.
    static QImage renderChart(const QList<core::HistoryRecord> &records);

    const QImage &chartImage() const { return m_image; }

    QLabel *titleLabel = nullptr;
    QScrollArea *scrollBox = nullptr;
    QLabel *imageLabel = nullptr;

private:
    QImage m_image;
};

} // namespace tervix::signal
