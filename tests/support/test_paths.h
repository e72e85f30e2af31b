#pragma once

#include "qt_printers.h"

#include <QByteArray>
#include <QString>

namespace tervix::test {

// Folder of the captured OLT listings shipped with the tests (tests/fixtures).
QString samplesDir();
// A sample read as the console would receive it: one byte to one character.
// A sample that cannot be read, or is empty, fails the running test (or the
// whole program, when a table of cases reads it before the tests run).
QString readSample(const QString &fileName);
QByteArray readSampleBytes(const QString &fileName);
// The OLT ends its lines with CR LF on Telnet; the captured samples keep LF
// only. This gives a text the line ends the console receives.
QString crlf(QString text);
// The project's source tree (for shipped scenarios and fixtures).
QString sourceDir();

} // namespace tervix::test
