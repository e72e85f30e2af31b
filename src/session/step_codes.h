#pragma once

namespace tervix::session {

// Step codes that one subsystem arms and another owns the branch of. Codes
// used only by their owner stay with the owner.
namespace step {
// Armed by the working session's step 1; the unauthorised-ONT listing owns it.
inline constexpr int kFirstUnauthorisedListing = 2;
} // namespace step

} // namespace tervix::session
