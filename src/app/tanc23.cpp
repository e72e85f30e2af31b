#include "app/tanc23.h"

#include "session/trace_log.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tervix::app {

Tanc23::Tanc23(session::TraceLog &trace, const QString &version, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_trace(trace)
    , m_version(version)
{
    setWindowTitle(QStringLiteral("Tervix debug"));
    auto *l = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    a23_zapisuj_logii = new QCheckBox(QStringLiteral("LOG TSL - ALL"), this);
    a23_logii = new QCheckBox(QStringLiteral("LOGI?"), this);
    a23_logi_ilosc = new QSpinBox(this);
    a23_logi_ilosc->setRange(0, session::TraceLog::kMaxEntries);
    a23_logi_ilosc->setValue(300);
    pokaz_ostatnie = new QPushButton(QStringLiteral("pokaz ostatnie"), this);
    row->addWidget(a23_zapisuj_logii);
    row->addWidget(a23_logii);
    row->addStretch();
    row->addWidget(a23_logi_ilosc);
    row->addWidget(pokaz_ostatnie);
    a23_logi_memo = new QPlainTextEdit(this);
    a23_logi_memo->setReadOnly(true);
    l->addLayout(row);
    l->addWidget(a23_logi_memo);

    connect(a23_zapisuj_logii, &QCheckBox::toggled, this, [this](bool on) { m_trace.setKeepAll(on); });
    connect(a23_logii, &QCheckBox::toggled, this, [this](bool on) { m_trace.setMirror(on); });
    connect(&m_trace, &session::TraceLog::mirrorChanged, this, [this] {
        if (m_trace.mirror())
            a23_logi_memo->setPlainText(m_trace.mirrorLines().join(u'\n'));
    });
    connect(pokaz_ostatnie, &QPushButton::clicked, this, &Tanc23::showNewest);
    resize(420, 520);
}

void Tanc23::showNewest()
{
    a23_logii->setChecked(false);
    a23_logi_memo->clear();
    m_trace.clearMirror();
    const QStringList lines = m_trace.newestFirst(QStringLiteral("TERVIX -> ") + m_version, a23_logi_ilosc->value());
    a23_logi_memo->setPlainText(lines.join(u'\n'));
}

} // namespace tervix::app
