#pragma once

// Every interval the console waits for, in one place. Production values are the
// OLT-facing timings the console has always used; TERVIX_TIME_SCALE (a positive
// factor, default 1) shrinks or stretches all of them together so that tests can
// run the real logic in a fraction of the wall time.

namespace tervix::timing {

// Factor read once from TERVIX_TIME_SCALE; 1.0 when unset or not a positive number.
double scale();
// Overrides the factor (tests); a value <= 0 restores the environment's factor.
void setScale(double factor);
// ms multiplied by the factor, at least 1 ms for any positive input.
int scaled(int ms);

// Main engine
inline constexpr int kStepTickMs = 300;            // tim_polecenie
inline constexpr int kQuietMs = 700;               // Timer1: output_arriving ends
inline constexpr int kExtraConnectionQuietMs = 600; // scanning, automation, accounts
inline constexpr int kPageContinueWaitMs = 100;    // before the continuation key
// Session (main window)
inline constexpr int kIdentPollMs = 300;           // tim_ssn
inline constexpr int kIdentMaxLooks = 14;
// An OLT that falls silent after the password never lets the identification
// poll begin; past this, the attempt is given up. A normal one takes ~5 s.
inline constexpr int kIdentDeadlineMs = 30'000;
inline constexpr int kKeepAliveMs = 14'400'000;    // 4 h
inline constexpr int kUnauthorisedCheckMs = 480'000;
inline constexpr int kSaveGuardMs = 120'000;       // straznik_save
inline constexpr int kCloseAfterSaveMs = 8000;     // tim_zamknij
inline constexpr int kLoginPreWaitMs = 300;
inline constexpr int kSafeModeWaitMs = 1200;
inline constexpr int kLoginLineGapMs = 300;
inline constexpr int kStepPreWaitMs = 200;
inline constexpr int kIdentLineWaitMs = 130;
inline constexpr int kPrepLineWaitMs = 100;
inline constexpr int kKeepAliveSettleMs = 20;
inline constexpr int kDeferredSaveMs = 300'000;    // DDE changes: save 5 min after the last

} // namespace tervix::timing
