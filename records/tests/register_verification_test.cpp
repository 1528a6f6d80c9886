// The read-back before a store, and the notes a record's settings come from.
#include "rx041/records/register_verification.h"

#include <gtest/gtest.h>

#include "rx041/device/device_interfaces.h"
#include "rx041/records/programming_notes.h"

namespace rx041::records {
namespace {

using namespace rx041::zq3902;

TEST(RegisterVerificationTest, StopsAtTheFirstRegisterTheChipDoesNotHold) {
  const std::map<std::int32_t, std::int32_t> written{{1, 0x00}, {5, 0x1E}, {11, 0x66}, {12, 0x9A}, {22, 0x80}};
  const struct {
    const char* name;
    std::map<std::int32_t, std::optional<std::int32_t>> chip;  // what a read of a register gives
    Verification expected;
    std::size_t readsSent;
    const char* message;
  } cases[] = {
      {"all held", {}, {VerificationResult::Passed, 5, std::nullopt, ""}, 5, nullptr},
      {"stuck register",
       {{11, 0x00}, {12, 0x00}},
       {VerificationResult::Failed, 3, RegisterMismatch{11, 0x66, 0x00}, ""},
       3,
       "Part#2: verification failed at register 0x0B: wrote 0x66, read 0x00"},
      {"no answer",
       {{5, 511}},
       {VerificationResult::Failed, 2, RegisterMismatch{5, 0x1E, std::nullopt}, ""},
       2,
       "Part#2: verification failed at register 0x05: wrote 0x1E, read failed"},
      {"read not made",
       {{12, std::nullopt}},
       {VerificationResult::Failed, 3, std::nullopt, "the read-back could not be made"},
       4,
       nullptr},
  };
  for (const auto& c : cases) {
    std::vector<std::int32_t> reads;
    const Verification result = verifyRegisters(written, [&](std::int32_t address) -> std::optional<std::int32_t> {
      reads.push_back(address);
      const auto scripted = c.chip.find(address);
      return scripted != c.chip.end() ? scripted->second : written.at(address);
    });
    EXPECT_EQ(result, c.expected) << c.name;
    EXPECT_EQ(reads.size(), c.readsSent) << c.name;
    if (c.message) {
      EXPECT_EQ(verificationMessage(1, *result.mismatch), c.message);
    }
  }

  const Verification nothing = verifyRegisters({}, [](std::int32_t) -> std::optional<std::int32_t> {
    ADD_FAILURE() << "nothing to read";
    return 0;
  });
  EXPECT_EQ(nothing.result, VerificationResult::Skipped);
}

TEST(RegisterVerificationTest, EveryWrittenRegisterOfTheImageIsCompared) {
  WrittenImage image;
  image.values[1] = 0x21;
  image.values[0x1C] = 0x10;
  image.values[0x22] = 0x00;
  EXPECT_EQ(writtenRegisters(image), (std::map<std::int32_t, std::int32_t>{{1, 0x21}, {0x1C, 0x10}, {0x22, 0x00}}));
}

TEST(ProgrammingNotesTest, SettingsInForceFollowTheDevicesTables) {
  ProgrammingNotes notes;
  notes.vddMeasured(3, 4.98f);
  notes.chipIdentified(1, 0x31);
  notes.settingSent(1, SolverSettingClampingLow, 5.0f, 1);
  notes.settingSent(1, SolverTargetLevelPointC, 0.0f, 1);
  notes.settingSent(1, SolverTargetAngleC, 140.0f, 1);
  notes.settingSent(1, SolverSettingDP, 220.0f, 0);
  notes.settingSent(1, SolverTargetSwoHys, 2.0f, 1);
  EXPECT_FALSE(notes.settingsInForce(1).hys) << "no operate point yet: the switch is not configured";
  notes.settingSent(1, SolverTargetSwoOp, 90.0f, 1);
  notes.settingSent(1, SolverTargetSwoPolarity, 1.0f, 1);
  notes.pwmModeSent(1, 1, 3, 1);

  SolverSettingsSent expected;
  expected.clampLow = 5.0f;
  expected.dp = 220.0f;
  expected.points[2] = {140.0f, 0.0f};
  expected.op = 90.0f;
  expected.hys = 2.0f;
  expected.switchPolarity = 1;
  expected.outputMode = 1;
  expected.pwmFrequency = 3;
  expected.pwmPolarity = 1;
  expected.dacCorrection = true;
  EXPECT_EQ(notes.settingsInForce(1), expected);
  EXPECT_EQ(notes.part(0).vdd, 4.98f);
  EXPECT_EQ(notes.part(1).vdd, 4.98f);
  EXPECT_EQ(notes.part(1).chipId, 0x31);
  EXPECT_FALSE(notes.part(0).chipId);
  EXPECT_EQ(notes.settingsInForce(0), SolverSettingsSent{});

  notes.solverCleared(1);
  expected.op = expected.hys = std::nullopt;
  expected.switchPolarity = expected.outputMode = expected.pwmFrequency = expected.pwmPolarity = std::nullopt;
  EXPECT_EQ(notes.settingsInForce(1), expected) << "a clear ends the switch and output mode settings";
  notes.forget();
  EXPECT_EQ(notes.settingsInForce(1), SolverSettingsSent{});
  EXPECT_FALSE(notes.part(1).vdd);
}

}  // namespace
}  // namespace rx041::records
