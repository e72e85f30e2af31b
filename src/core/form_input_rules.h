#pragma once

#include <QString>
#include <QStringView>

namespace tervix::core {

// Everything the add form holds ends up on the OLT's command line, typed blind,
// and in the per-OLT data file. These rules keep one field from adding words to
// a command, typing a second command, or splitting a stored record.

// The form's historic check: the first character is a digit 0-9 (an empty
// field fails).
bool startsWithDigit(QStringView field);

// The field holds its number and nothing else: one or more digits 0-9.
// "0 sn-auth X", "12 " or "1;2" do not pass.
bool isPlainNumber(QStringView field);

// A character that cannot stand in a name: the double quote (it would close
// the quoted description), every control character (a carriage return or
// line feed would end the line and the rest would run as a second command),
// "?" (the CLI's help key: typed inside a line it makes the OLT print help
// instead of running the line), and any character Windows-1250, the code
// page the console types in, cannot hold (the OLT would store something else).
// Polish letters are held.
bool isForbiddenInName(QChar c);

// Why a text cannot be stored or typed as it is, or empty when it can: it
// holds a forbidden character, or "^!" / "*^", the data file's field and
// record separators (or is a lone "*").
QString textError(QStringView text);

// The ONT's name (its quoted description on the OLT): as textError, and it
// must not be empty (the OLT refuses an empty description, and with it the
// whole "ont add").
QString nameError(QStringView name);

// An EPON MAC or GPON SN as it may stand after "mac-auth" / "sn-auth": letters,
// digits, "-", ":" and "." only.
bool isValidSerialOrMac(QStringView mac);

// A name that arrives from elsewhere (the sibling program, the OLT) made fit
// for the form: forbidden characters become spaces and the separators are
// broken up, so that it passes textError unless it is a lone "*".
QString makeFit(const QString &text);

} // namespace tervix::core
