#pragma once
// One programming record: what the application put into a part's EEPROM
// store (the chip, the calibration, the solver settings, the register image
// written) and whether the chip took it; or, of kind output_check, the output
// a programmed part put out at measured magnet angles against the curve its
// settings call for. One JSON object per record, one record per line of the
// record file; reading a line back gives the record or the reason it holds
// none. A record without a kind is a store record, as every record written
// before there were other kinds.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

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

enum class RecordKind { Store, OutputCheck };

// "store", "output_check"
std::string_view kindName(RecordKind kind);

// The settings an output check's expected curve was built from: whole degrees
// and whole percent, as the curve tables hold them.
struct CheckedCurveSettings {
  std::int32_t mode = 2;                                // 2, 3 or 4 points
  std::array<std::array<std::int32_t, 2>, 4> points{};  // A..D: angle, level
  std::int32_t dp = 0, clampHigh = 0, clampLow = 0;
  bool clockwise = false;
  bool operator==(const CheckedCurveSettings&) const = default;
};

// One measured point: the chip's angle before and after the output was
// measured, the angle judged (between the two), the output, and what the
// curve expects there.
struct CheckedPoint {
  float angleBefore = 0, angleAfter = 0, angle = 0;
  float output = 0;               // %VDD
  std::optional<float> expected;  // %VDD; none where the curve has a gap
  std::string verdict;            // "pass", "fail", "near_jump", "off_curve"
  bool operator==(const CheckedPoint&) const = default;
};

// Output less expected, in %VDD as the two read: 10.1 - 10 is 0.1, to 0.0001.
double outputError(float output, float expected);

struct OutputCheck {
  CheckedCurveSettings curve;
  float tolerance = 1.0f;  // ± %VDD
  std::int32_t minimumPoints = 4;
  std::vector<CheckedPoint> points;  // in the order measured
  std::string verdict;               // "pass", "fail", "not_enough"
  std::string verdictText;           // the line the operator saw
  bool operator==(const OutputCheck&) const = default;
};

struct ProgrammingRecord {
  RecordKind kind = RecordKind::Store;
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
  std::string outcome;                        // kStoredOutcome, or the message that stopped the store;
                                              // an output check's verdict
  std::optional<OutputCheck> outputCheck;     // kind OutputCheck only
  bool operator==(const ProgrammingRecord&) const = default;

  bool stored() const { return kind == RecordKind::Store && outcome == kStoredOutcome; }
};

// One line of the record file: the JSON object without a line end.
std::string recordLine(const ProgrammingRecord& record);
// The record a line holds, or why it holds none.
std::variant<ProgrammingRecord, std::string> parseRecord(std::string_view line);

// "0x0B"
std::string hexByte(std::int32_t value);

}  // namespace rx041::records
