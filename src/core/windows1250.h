#pragma once

#include <QByteArray>
#include <QString>

namespace tervix::core {

// The OLT keeps names as the bytes it was typed, and operators type them on
// Polish Windows: Windows-1250. The console encodes what it types and decodes
// what it reads with this code page, and carries its own table so that the
// result never depends on which codecs the Qt build happens to have.
//
// The five bytes the code page leaves undefined (0x81, 0x83, 0x88, 0x90,
// 0x98) decode to the C1 controls of the same value, so any byte string the
// OLT prints survives decoding and re-encoding unchanged.
QString decodeWindows1250(const QByteArray &bytes);

// Characters the code page cannot hold become '?'; check with
// isWindows1250Encodable() first where that would change what the OLT stores.
QByteArray encodeWindows1250(const QString &text);

bool isWindows1250Encodable(QChar c);
bool isWindows1250Encodable(const QString &text);

} // namespace tervix::core
