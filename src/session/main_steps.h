#pragma once

namespace tervix::session {

// The step codes of the main connection's engine. Every subsystem that reads
// the main session's output owns some of them; they are all named here so that
// no two subsystems pick the same code (the engine refuses a second branch for
// a code anyway).
namespace MainStep {
// Login: the identification line and the working line.
inline constexpr int kIdentification = -100;
inline constexpr int kIdentificationPoll = -101;
// Closing with "save": the OLT's answer to the login on the fresh line.
inline constexpr int kClosingLogin = -102;
inline constexpr int kWorkingLogin = 1;
// Authorising ONTs. The first listing is armed by the working login.
inline constexpr int kFirstUnauthorisedListing = 2;
inline constexpr int kUnauthorisedListing = 3;
inline constexpr int kFreeServicePort = 4;
inline constexpr int kPortOntListing = 5;
inline constexpr int kLineProfiles = 6;
inline constexpr int kServiceProfiles = 7;
inline constexpr int kAddAnswers = 8;
// Information about one ONT: its "display ont info" answer, then the
// service ports, MAC addresses and optical levels, one phase after another.
inline constexpr int kOntInfo = 27;
inline constexpr int kOntDiagnosis = 15;
// Editing an authorised ONT: its profiles ("display ont info"), then the
// native flags of its service ports. The answers of a delete, a reboot or a
// change of an authorised ONT are judged at kOntChangeAnswers.
inline constexpr int kEditOntInfo = 25;
inline constexpr int kEditNativeFlags = 26;
inline constexpr int kOntChangeAnswers = 28;
// The import of a frame: its ONT, service-port and IGMP user listings, one after another.
inline constexpr int kImportOnts = 10;
inline constexpr int kImportServicePorts = 11;
inline constexpr int kImportIgmp = 14;
} // namespace MainStep

} // namespace tervix::session
