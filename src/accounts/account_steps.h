#pragma once

namespace tervix::accounts {

// The step codes of the account connection's engine: each step answers one
// question of the OLT's account dialogue and arms the next.
namespace AccountStep {
// Creating an account: preparation, then the dialogue up to enabling SSH.
inline constexpr int kFirstCreate = 2;
inline constexpr int kLastCreate = 12;
// Enabling SSH for an account that exists.
inline constexpr int kFirstSsh = 31;
inline constexpr int kLastSsh = 32;
// Reads the OLT's answer to enabling SSH.
inline constexpr int kSshAnswer = 33;
} // namespace AccountStep

} // namespace tervix::accounts
