#pragma once

#include <QStringList>
#include <QStringView>

namespace tervix::core {

// Where the OLT's command line stands, read from the last prompt it printed.
enum class CliMode {
    Unknown,     // no prompt at the end of the text (output still running, a question, a pager)
    User,        // "NAME>"
    Privileged,  // "NAME#"
    Config,      // "NAME(config)#"
    Interface,   // "NAME(config-if-gpon-0/4)#", "NAME(config-if-epon-0/1)#"
    OtherConfig, // any other "NAME(config-...)#" sub-mode
};

// The mode of the last line of text (after trailing spaces, and the terminal's
// ESC "[" sequences, are passed over). Only the last line counts: a prompt
// earlier in the text says where the OLT was, not where it is.
CliMode lastPromptMode(QStringView text);

// The lines that bring the command line from mode to configuration mode:
// nothing from Config, "quit" from an interface or another sub-mode,
// "config" from privileged mode, "enable" and "config" from user mode. From
// Unknown: an empty line first (to get a prompt printed) is not enough to know
// the mode, so nothing is typed and the caller looks again.
QStringList linesToConfigMode(CliMode mode);

} // namespace tervix::core
