#include "app/debug_log_window.h"

#include "session/trace_log.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tervix::app {

DebugLogWindow::DebugLogWindow(session::TraceLog &trace, const QString &version, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_trace(trace)
    , m_version(version)
{
    setWindowTitle(QStringLiteral("Tervix debug"));
    auto *l = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    keepAll = new QCheckBox(QStringLiteral("LOG TSL - ALL"), this);
    mirror = new QCheckBox(QStringLiteral("LOGI?"), this);
    entryCount = new QSpinBox(this);
    entryCount->setRange(0, session::TraceLog::kMaxEntries);
    entryCount->setValue(300);
    showNewestButton = new QPushButton(QStringLiteral("pokaz ostatnie"), this);
    row->addWidget(keepAll);
    row->addWidget(mirror);
    row->addStretch();
    row->addWidget(entryCount);
    row->addWidget(showNewestButton);
    memo = new QPlainTextEdit(this);
    memo->setReadOnly(true);
    l->addLayout(row);
    l->addWidget(memo);

    connect(keepAll, &QCheckBox::toggled, this, [this](bool on) { m_trace.setKeepAll(on); });
    connect(mirror, &QCheckBox::toggled, this, [this](bool on) { m_trace.setMirror(on); });
    connect(&m_trace, &session::TraceLog::mirrorChanged, this, [this] {
        if (m_trace.mirror())
            memo->setPlainText(m_trace.mirrorLines().join(u'\n'));
    });
    connect(showNewestButton, &QPushButton::clicked, this, &DebugLogWindow::showNewest);
    resize(420, 520);
}

void DebugLogWindow::showNewest()
{
    mirror->setChecked(false);
    memo->clear();
    m_trace.clearMirror();
    const QStringList lines = m_trace.newestFirst(QStringLiteral("TERVIX -> ") + m_version, entryCount->value());
    memo->setPlainText(lines.join(u'\n'));
}

} // namespace tervix::app
