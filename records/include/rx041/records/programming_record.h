#pragma once
// One programming record: what the application put into a part's EEPROM
// store (the chip, the calibration, the solver settings, the register image
// written) and whether the chip took it. One JSON object per record, one
// record per line of the record file; reading a line back gives the record
// or the reason it holds none.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace rx041::records {

struct TargetPointSent {
  std::optional<float> angle, level;
  bool operator==(const TargetPointSent&) const = default;
};

// The solver settings in force for a store, in the units the application sent
// them (before the device maps clamps and levels through the DAC calibration).
struct SolverSettingsSent {
  std::optional<float> clampLow, clampHigh, dp;
  std::array<TargetPointSent, 4> points{};  // A..D
  std::optional<float> slope;               // the one-point-and-slope rule only
  std::optional<float> op, hys;             // the switch output, when configured
  std::optional<std::int32_t> switchPolarity;
  std::optional<std::int32_t> outputMode, pwmFrequency, pwmPolarity;
  std::optional<bool> dacCorrection;  // clamps and levels sent with the offset flag
  bool operator==(const SolverSettingsSent&) const = default;
};

struct RegisterMismatch {
  std::int32_t address = 0;
  std::int32_t wrote = 0;
  std::optional<std::int32_t> read;  // none: the read failed
  bool operator==(const RegisterMismatch&) const = default;
};

enum class VerificationResult { Passed, Failed, Skipped };

struct Verification {
  VerificationResult result = VerificationResult::Skipped;
  std::int32_t reads = 0;
  std::optional<RegisterMismatch> mismatch;  // Failed at a register
  std::string reason;                        // Failed without a mismatch, or Skipped: why
  bool operator==(const Verification&) const = default;
};

// What was stored: the configured settings, a cleared solver (a chip's
// preparation), or the chip's RAM with its communication locked.
enum class EepromContents { Configured, Cleared, CommLock };

// "configured", "cleared", "comm_lock"
std::string_view contentsName(EepromContents contents);

inline constexpr std::string_view kStoredOutcome = "stored";

struct ProgrammingRecord {
  std::string time;  // ISO 8601 with the time zone
  std::string host;
  std::string mode;       // "/2"
  std::string window;     // "MainForm2PointsProgramming"
  std::string port;       // "COM3"; empty when not known
  std::string device;     // the device behind the port
  std::int32_t part = 1;  // 1 = Part#1, 2 = Part#2
  std::optional<std::int32_t> chipId;
  std::optional<float> vdd;
  float dacK = 0.0f, dacB = 0.0f;
  EepromContents contents = EepromContents::Configured;
  std::optional<SolverSettingsSent> settings;      // none for a cleared solver
  std::map<std::int32_t, std::int32_t> registers;  // address: value written
  Verification verification;
  std::optional<std::int32_t> programResult;  // ProgramDevice's result, when it ran
  std::string outcome;                        // kStoredOutcome, or the message that stopped the store
  bool operator==(const ProgrammingRecord&) const = default;

  bool stored() const { return outcome == kStoredOutcome; }
};

// One line of the record file: the JSON object without a line end.
std::string recordLine(const ProgrammingRecord& record);
// The record a line holds, or why it holds none.
std::variant<ProgrammingRecord, std::string> parseRecord(std::string_view line);

// "0x0B"
std::string hexByte(std::int32_t value);

}  // namespace rx041::records
