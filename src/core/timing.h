#pragma once

// Every interval the console waits for, in one place. Production values are the
// OLT-facing timings the console has always used; TERVIX_TIME_SCALE (a positive
// factor, default 1) shrinks or stretches all of them together so that tests can
// run the real logic in a fraction of the wall time.

#include <QString>

namespace tervix::timing {

// Factor read once from TERVIX_TIME_SCALE; 1.0 when unset or not a positive number.
double scale();
// The factor a TERVIX_TIME_SCALE text names: a positive finite number, else 1.0
// (empty, not a number, zero, negative, infinite or too large for a double).
double scaleFromText(const QString &text);
// Overrides the factor (tests); a value <= 0 restores the environment's factor.
void setScale(double factor);
// ms multiplied by the factor, at least 1 ms for any positive input.
int scaled(int ms);

// Step engines
inline constexpr int kStepTickMs = 300;            // how often a pending step looks whether it may run
inline constexpr int kQuietMs = 700;               // main session: the OLT counts as quiet after this
inline constexpr int kExtraConnectionQuietMs = 600; // scanning, automation, accounts
inline constexpr int kPageContinueWaitMs = 100;    // before the continuation key
// Session (main window)
inline constexpr int kIdentPollMs = 300;           // between two looks for the backplane label
inline constexpr int kIdentMaxLooks = 14;
// An OLT that falls silent after the password never lets the identification
// poll begin; past this, the attempt is given up. A normal one takes ~5 s.
inline constexpr int kIdentDeadlineMs = 30'000;
inline constexpr int kKeepAliveMs = 14'400'000;    // 4 h
inline constexpr int kUnauthorisedCheckMs = 480'000;
inline constexpr int kSaveGuardMs = 120'000;       // between two looks for the OLT's save reminder
inline constexpr int kGapBeforeSaveMs = 100;       // after "x", before the reminder's "save"
inline constexpr int kCloseAfterSaveMs = 8000;     // the closing save's time before the program ends
inline constexpr int kLoginPreWaitMs = 300;
inline constexpr int kSafeModeWaitMs = 1200;
inline constexpr int kLoginLineGapMs = 300;
inline constexpr int kStepPreWaitMs = 200;
inline constexpr int kIdentLineWaitMs = 130;
inline constexpr int kPrepLineWaitMs = 100;
inline constexpr int kKeepAliveSettleMs = 20;
inline constexpr int kDeferredSaveMs = 300'000;    // automation changes: save 5 min after the last
inline constexpr int kMinuteMs = 60'000;           // the operator sets some periods in minutes
// Authorising ONTs
inline constexpr int kAddLineWaitMs = 200;         // after each line of an add batch
inline constexpr int kReenableAddMs = 4500;        // "[+] Dodaj" comes back this long after the form is cleared
inline constexpr int kUnauthorisedBlinkMs = 700;   // the unauthorised list blinks while it holds new ONTs
// Changing, deleting and rebooting an authorised ONT
inline constexpr int kOntLineWaitMs = 200;         // after most lines of a change, delete or reboot
inline constexpr int kDeleteConfirmWaitMs = 150;   // after the "y" of a delete and after "ont delete"
inline constexpr int kSerialConfirmWaitMs = 100;   // after the "1" that follows a changed SN or MAC
inline constexpr int kEditInterfaceWaitMs = 300;   // after "interface ..." before the ONT's information
// ONT information
inline constexpr int kOntInfoConfigWaitMs = 250;    // after "config"
inline constexpr int kOntInfoInterfaceWaitMs = 300; // after "interface ..." before the info line
inline constexpr int kOntInfoQuitWaitMs = 200;      // after "quit" and before the optical listing
inline constexpr int kOpticsRecheckMs = 100;        // between two looks for the end of the optical listing
inline constexpr int kOpticsMaxLooks = 50;          // looks before the optical listing counts as lost
// Account connection
inline constexpr int kAccountLoginGapMs = 200;     // before and after the account connection's login name
inline constexpr int kAccountAnswerWaitMs = 100;   // after each answer of the account dialogue
inline constexpr int kAccountUserNameWaitMs = 150; // after "terminal user name"
inline constexpr int kAccountCreatedPollMs = 1500; // looks for the OLT's "successfully"
inline constexpr int kAccountDialogueDeadlineMs = 60'000; // a dialogue not ended by then has stalled

// Signal scanning
inline constexpr int kScanLoginWaitMs = 500;       // before the scanning login's user name
inline constexpr int kScanLoginSlowWaitMs = 1300;  // the same in safe mode
inline constexpr int kScanLoginGapMs = 300;        // between the login lines and the terminal preparation
inline constexpr int kScanInterfaceWaitMs = 100;   // after "interface ..." before the optical command
inline constexpr int kScanStepTickMs = 50;         // how often a scanning step looks whether it may run
inline constexpr int kScanWatchdogTickMs = 1000;
inline constexpr int kScanWatchdogLimit = 28;      // ticks without progress before the line is reopened
inline constexpr int kScanWatchdogLimitMax = 1029; // the longest wait after repeated failed reopenings
inline constexpr int kScanDelayedStartMs = 1000;   // a pass after the working login, retried until it can start
inline constexpr int kScanRepeatSeconds = 3600;    // between passes
inline constexpr int kScanFastRepeatSeconds = 480; // between passes with the fast status option
inline constexpr int kScanStatusEvery = 10;        // readings between two status reads (fast status option)
inline constexpr int kScanRecountMs = 35'000;      // the counters strip is recounted this often
inline constexpr int kScanLoginLooks = 30;         // looks (300 ms apart) for the prompt after the password
inline constexpr int kScanPromptLooks = 3;         // empty lines typed to get a prompt before the pass waits for the watchdog
// Import from the OLT
inline constexpr int kImportBtvWaitMs = 150;       // after "btv"
inline constexpr int kImportIgmpWaitMs = 200;      // after "display igmp user all"
inline constexpr int kImportStallMs = 60'000;      // no page for this long: the OLT stopped answering

} // namespace tervix::timing
