#pragma once
// Texts several windows show about the programmer and the chips, defined once.
#include <QString>
#include <cstdint>

namespace rx41::device_text {

inline constexpr char kOfflineMode[] = "Error: in Offline mode";
inline constexpr char kNotInOwiMode[] = "Error: Not in OWI mode";
inline constexpr char kNotInAdcMode[] = "Error: Not in ADC mode";
inline constexpr char kOwiRefused[] = "Failed to set OWI mode due to CommLock!...Return to ADC mode!";
inline constexpr char kResetHardware[] = "Please Reset hardware and try again!";
inline constexpr char kReadError[] = "Read Error! Please Check chip connections!";
inline constexpr char kCommLocked[] = "OWI communication is locked: ";
inline constexpr char kClearFailed[] = "Errors in ClearSolverSettings!";
inline constexpr char kProgrammingFailed[] = "Failed in programming device";
inline constexpr char kNotConnectedForSolver[] = "Not Connected! Cannot Perform Store In Solver";
inline constexpr char kNoVersion[] = "Cannot read version, Programmer is not connected or Device is not powered on!";
inline constexpr char kVersionFailed[] = "Cannot Read Programmer Version!";
// A device call found the serial line to the programmer dead (hung up, unplugged, or never usable).
inline constexpr char kProgrammerLost[] = "The connection to the programmer was lost. Disconnect and Connect again.";

// "Method 'GetAngle' of object 'IZQ3902Device' failed": a call that failed outright.
QString methodFailed(const char* object, const char* member);

// The message for a result of CopySolverSettingsToParameters; empty for
// success and for results that carry no message.
QString solverCopyMessage(std::int32_t result);

// "Offset Parameters of Part#1 are invalid! K0: 0.25 B0: 7.5".
QString invalidOffsets(std::int16_t part, float k, float b);

}  // namespace rx41::device_text
