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
class Tanc23 : public QWidget
{
    Q_OBJECT
public:
    Tanc23(session::TraceLog &trace, const QString &version, QWidget *parent = nullptr);

    QCheckBox *a23_zapisuj_logii = nullptr; // "LOG TSL - ALL"
    QCheckBox *a23_logii = nullptr;         // "LOGI?"
    QPlainTextEdit *a23_logi_memo = nullptr;
    QSpinBox *a23_logi_ilosc = nullptr;
    QPushButton *pokaz_ostatnie = nullptr;  // "pokaz ostatnie"

private:
    void showNewest();

    session::TraceLog &m_trace;
    QString m_version;
};

} // namespace tervix::app
