#pragma once

#include <QWidget>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace tervix::session {
class TraceLog;
}

namespace tervix::app {

// "Tervix debug": the trace log viewer.
class DebugLogWindow : public QWidget
{
    Q_OBJECT
public:
    DebugLogWindow(session::TraceLog &trace, const QString &version, QWidget *parent = nullptr);

    QCheckBox *keepAll = nullptr; // "LOG TSL - ALL"
    QCheckBox *mirror = nullptr;         // "LOGI?"
    QPlainTextEdit *memo = nullptr;
    QSpinBox *entryCount = nullptr;
    QPushButton *showNewestButton = nullptr;  // "pokaz ostatnie"

private:
    void showNewest();

    session::TraceLog &m_trace;
    QString m_version;
};

} // namespace tervix::app
