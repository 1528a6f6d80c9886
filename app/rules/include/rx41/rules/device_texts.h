#pragma once
// The texts several windows show about the programmer and the chips, defined
// once: the fixed ones and those built from values. Plain C++ (UTF-8), so the
// Qt-free rules can name them too.
#include <cstdint>
#include <string>
#include <string_view>

#include "rx41/rules/part_set.h"

namespace rx41::device_text {

inline constexpr char kOfflineMode[] = "Error: in Offline mode";
inline constexpr char kNotInOwiMode[] = "Error: Not in OWI mode";
// The dual-part windows' New Device and Advanced buttons.
inline constexpr char kOwiModeRequired[] = "Error: Not in OWI Mode!";
inline constexpr char kNotInAdcMode[] = "Error: Not in ADC mode";
inline constexpr char kOwiRefused[] = "Failed to set OWI mode due to CommLock!...Return to ADC mode!";
inline constexpr char kResetHardware[] = "Please Reset hardware and try again!";
inline constexpr char kReadError[] = "Read Error! Please Check chip connections!";
// A device call found the serial line to the programmer dead (hung up, unplugged, or never usable).
inline constexpr char kProgrammerLost[] = "The connection to the programmer was lost. Disconnect and Connect again.";
inline constexpr char kCommLocked[] = "OWI communication is locked: ";
inline constexpr char kClearFailed[] = "Errors in ClearSolverSettings!";
inline constexpr char kProgrammingFailed[] = "Failed in programming device";
inline constexpr char kNotConnectedForSolver[] = "Not Connected! Cannot Perform Store In Solver";
inline constexpr char kNoVersion[] = "Cannot read version, Programmer is not connected or Device is not powered on!";
inline constexpr char kVersionFailed[] = "Cannot Read Programmer Version!";

// Wait window texts.
inline constexpr char kWaitGettingVdd[] = "Getting VDD of device...  Please Wait...";
inline constexpr char kWaitClearing[] = "Clearing Solver...  Please Wait...";
inline constexpr char kWaitProgramming[] = "Programming EEPROM...  Please Wait...";
inline constexpr char kWaitConfiguring[] = "Configuring Solver...  Please Wait...";
inline constexpr char kWaitSelfCorrecting[] = "System is self correcting... Please Wait...";
// A live angle takes two register reads, each of which a missing chip lets run to its limit.
inline constexpr char kWaitReadingAngle[] = "Reading angle...  Please Wait...";

// "Method 'GetAngle' of object 'IZQ3902Device' failed": a call that failed outright.
std::string methodFailed(std::string_view object, std::string_view member);

// The message for a result of CopySolverSettingsToParameters; empty for
// success and for results that carry no message.
std::string solverCopyMessage(std::int32_t result);

// "Part#1 does not answer: check that the chip is in its socket" (part 0 or
// 1), or the same of both parts: a chip that did not answer its OWI entry or
// its identification read, which is no lock.
std::string notAnswering(PartSet parts);

// "Offset Parameters of Part#1 are invalid! K0: 0.25 B0: 7.5".
std::string invalidOffsets(std::int16_t part, float k, float b);

}  // namespace rx41::device_text
