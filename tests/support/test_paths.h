#pragma once

#include "qt_printers.h"

#include <QByteArray>
#include <QString>

namespace tervix::test {

// Folder of the captured OLT listings shipped beside the project.
QString samplesDir();
// A sample read as the console would receive it: one byte to one character.
QString readSample(const QString &fileName);
QByteArray readSampleBytes(const QString &fileName);
// The project's source tree (for shipped scenarios and fixtures).
QString sourceDir();

} // namespace tervix::test
