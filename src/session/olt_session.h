#pragma once

#include "core/command_batch.h"
#include "session/command_pacer.h"
#include "session/olt_connection.h"

#include <QObject>
#include <QTimer>

namespace tervix::session {

// A connection to the OLT together with what the console keeps about it: the
// receive buffer (what the OLT printed since the last clearing send), the
// quiet detector (is output still arriving?), and the pacer that types command lines.
// The main window, the scanning, automation and account windows each own one.
class OltSession : public QObject
{
    Q_OBJECT
public:
    explicit OltSession(int quietMs, QObject *parent = nullptr);

    OltConnection &connection() { return m_connection; }
    CommandPacer &pacer() { return m_pacer; }

    // Queues one line. The clear flag empties the buffer when
    // the line's turn comes, even without a connection; without a connection
    // the line itself is dropped silently. The line ends with one carriage return.
    void sendLine(const QString &line, bool clearFirst);
    void send(const core::CommandBatch &batch) { m_pacer.enqueue(batch); }
    // How many lines were dropped so far for want of a connection. A batch
    // that compares it before and after knows whether it went out whole.
    quint64 droppedLines() const { return m_droppedLines; }

    // The receive buffer.
    const QString &buffer() const { return m_buffer; }
    void clearBuffer();
    void replaceBuffer(const QString &text);
    // A clear that could not happen when its line went out, because a step
    // was still waiting for the text before it. Applied when another step
    // takes the slot (the line was that step's command: its text starts at
    // the line), forgotten when the waiting step reads the buffer.
    void deferClear() { m_deferredClearAt = m_buffer.size(); }
    void applyDeferredClear();
    void forgetDeferredClear() { m_deferredClearAt = -1; }
    // Adds a line of the console's own (status texts) to the buffer.
    void appendLine(const QString &line);

    bool outputArriving() const { return m_outputArriving; }
    // The step frame marks output as arriving so that the next step waits for
    // new output; the quiet timer is left alone, as it always was.
    void setOutputArriving(bool v) { m_outputArriving = v; }

Q_SIGNALS:
    // The buffer changed: appended holds the new text, or the whole buffer was
    // replaced (cleared == buffer empty).
    void textAppended(const QString &text);
    void bufferReplaced(const QString &text);
    void quiet();

private:
    void onReceived(const QString &text);
    void typeLine(const QString &line, bool clearFirst);

    OltConnection m_connection;
    CommandPacer m_pacer;
    QString m_buffer;
    QTimer m_quietTimer;
    int m_quietMs;
    bool m_outputArriving = false;
    quint64 m_droppedLines = 0;
    qsizetype m_deferredClearAt = -1;
};

} // namespace tervix::session
