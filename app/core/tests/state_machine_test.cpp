#include "rx41/core/state_machine.h"

#include <gtest/gtest.h>

#include <chrono>

#include "rx041/test_support/recording_device.h"
#include "scripted_operator.h"

namespace rx41 {
namespace {

using Calls = std::vector<std::string>;

Calls texts(const QStringList& list) {
  Calls out;
  for (const QString& text : list) out.push_back(text.toStdString());
  return out;
}

class StateMachineTest : public ::testing::Test {
 protected:
  AppState state;
  rx041::test::ScriptedOperator op;
  std::shared_ptr<rx041::test::RecordingDevice> device = std::make_shared<rx041::test::RecordingDevice>();
  StateMachine machine{state, op};

  void SetUp() override { state.Device = device; }

  Calls calls() const { return device->script().callTexts(); }
  void reset(std::int16_t locked0 = 0, std::int16_t locked1 = 0) {
    device->script().calls.clear();
    op.messages.clear();
    state.CommLocked[0] = locked0;
    state.CommLocked[1] = locked1;
  }
};

struct Transition {
  bool locked;
  std::int32_t from;
  std::int32_t to;
  Calls calls;  // with P for the part number
  bool result;
};

Calls forPart(const Calls& calls, int part) {
  Calls out;
  for (std::string call : calls) {
    const auto p = call.find("(P)");
    if (p != std::string::npos) call.replace(p, 3, "(" + std::to_string(part) + ")");
    out.push_back(call);
  }
  return out;
}

TEST_F(StateMachineTest, OnePartFollowsTheTransitionTable) {
  const std::vector<Transition> table{
      {true, 0, 1, {"Customized_SetADCMode(P)"}, true},
      {true, 2, 1, {"Customized_SetADCMode(P)"}, true},
      {false, 0, 1, {"Customized_PowerOn(P)", "Customized_SetADCMode(P)"}, true},
      {false, 2, 1, {"Customized_QuitOWI(P)", "Customized_SetADCMode(P)"}, true},
      {false, 1, 1, {}, true},
      {false, 7, 1, {}, true},
      {true, 0, 2, {}, false},
      {true, 1, 2, {}, false},
      {false, 0, 2, {"Customized_PowerOn(P)", "Customized_EnterOWI(P)"}, true},
      {false, 1, 2, {"Customized_EnterOWI(P)"}, true},
      {false, 2, 2, {"Customized_EnterOWI(P)"}, true},
      {false, 9, 2, {}, true},
      {false, 1, 0, {"Customized_PowerOff(P)", "Customized_SetADCMode(P)", "Customized_Mode0V(P)"}, true},
      {true, 2, 0, {"Customized_PowerOff(P)", "Customized_SetADCMode(P)", "Customized_Mode0V(P)"}, true},
      {false, 0, 0, {}, true},
      {false, 5, 0, {}, true},
  };
  for (const std::int16_t part : std::initializer_list<std::int16_t>{0, 1}) {
    for (const Transition& t : table) {
      SCOPED_TRACE("part " + std::to_string(part) + " locked " + std::to_string(t.locked) + " " +
                   std::to_string(t.from) + " -> " + std::to_string(t.to));
      reset();
      state.CommLocked[part] = t.locked ? kTrue16 : kFalse16;
      state.ChipState[1 - part] = 9;
      EXPECT_EQ(machine.ChipChangeToState(part, t.from, t.to), t.result);
      EXPECT_EQ(calls(), forPart(t.calls, part));
      EXPECT_EQ(state.ChipState[part], t.to);
      EXPECT_EQ(state.ChipState[1 - part], 9);
      EXPECT_TRUE(op.messages.isEmpty());
    }
  }
}

TEST_F(StateMachineTest, BothPartsFollowTheirTable) {
  struct Row {
    std::int16_t locked0, locked1;
    std::int32_t from, to;
    Calls calls;
    bool result;
  };
  const Calls powerOnBoth{"Customized_PowerOn(0)", "Customized_PowerOn(1)"};
  const Calls adcBoth{"Customized_SetADCMode(0)", "Customized_SetADCMode(1)"};
  auto join = [](Calls a, const Calls& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  const std::vector<Row> table{
      {-1, -1, 0, 1, adcBoth, true},
      // Only one part locked: the ADC short-cut does not apply.
      {-1, 0, 0, 1, join(powerOnBoth, adcBoth), true},
      {0, 0, 0, 1, join(powerOnBoth, adcBoth), true},
      {0, -1, 2, 1, join({"Customized_QuitOWI(0)", "Customized_QuitOWI(1)"}, adcBoth), true},
      {0, 0, 1, 1, {}, true},
      // One locked part refuses OWI mode for both.
      {0, -1, 1, 2, {}, false},
      {-1, 0, 0, 2, {}, false},
      {0, 0, 0, 2, join(powerOnBoth, {"Customized_EnterOWI(3)"}), true},
      {0, 0, 1, 2, {"Customized_EnterOWI(3)"}, true},
      {0, 0, 6, 2, {}, true},
      {0,
       0,
       1,
       0,
       {"Customized_PowerOff(0)", "Customized_PowerOff(1)", "Customized_SetADCMode(0)", "Customized_SetADCMode(1)",
        "Customized_Mode0V(0)"},
       true},
      {-1,
       -1,
       2,
       0,
       {"Customized_PowerOff(0)", "Customized_PowerOff(1)", "Customized_SetADCMode(0)", "Customized_SetADCMode(1)",
        "Customized_Mode0V(0)"},
       true},
      {0, 0, 0, 0, {}, true},
  };
  for (const Row& r : table) {
    SCOPED_TRACE("locks " + std::to_string(r.locked0) + "/" + std::to_string(r.locked1) + " " + std::to_string(r.from) +
                 " -> " + std::to_string(r.to));
    reset(r.locked0, r.locked1);
    EXPECT_EQ(machine.ChipChangeToState(kBothParts, r.from, r.to), r.result);
    EXPECT_EQ(calls(), r.calls);
    EXPECT_EQ(state.ChipState[0], r.to);
    EXPECT_EQ(state.ChipState[1], r.to);
  }
}

TEST_F(StateMachineTest, OwiNotEnteredFailsButTheStateReadsOwi) {
  device->script().answer("Customized_EnterOWI", 1);
  EXPECT_FALSE(machine.ChipChangeToState(1, 0, 2));
  EXPECT_EQ(state.ChipState[1], 2);
  EXPECT_FALSE(machine.ChipChangeToState(kBothParts, 1, 2));
  EXPECT_EQ(calls(), (Calls{"Customized_PowerOn(1)", "Customized_EnterOWI(1)", "Customized_EnterOWI(3)"}));
  // Any other result counts as entered.
  device->script().answer("Customized_EnterOWI", 2);
  EXPECT_TRUE(machine.ChipChangeToState(0, 1, 2));
}

TEST_F(StateMachineTest, ReenteringOwiOnBothPartsWaitsHalfASecond) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(machine.ChipChangeToState(kBothParts, 2, 2));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  EXPECT_EQ(calls(), Calls{"Customized_EnterOWI(3)"});
}

TEST_F(StateMachineTest, InvalidPartOrStateIsReported) {
  state.ChipState[0] = 1;
  for (const std::int16_t part : std::initializer_list<std::int16_t>{3, -1}) {
    EXPECT_FALSE(machine.ChipChangeToState(part, 0, 1));
  }
  EXPECT_EQ(texts(op.messages),
            (Calls{"Error arguments in ChipChangeToState!", "Error arguments in ChipChangeToState!"}));
  EXPECT_EQ(state.ChipState[0], 1);

  op.messages.clear();
  EXPECT_TRUE(machine.ChipChangeToState(0, 1, 5));
  EXPECT_TRUE(machine.ChipChangeToState(kBothParts, 0, 7));
  EXPECT_EQ(texts(op.messages), (Calls{"Error: There is no such state: 5", "Error: There is no such state: 7"}));
  EXPECT_EQ(state.ChipState[0], 7);
  EXPECT_EQ(state.ChipState[1], 7);
  EXPECT_TRUE(calls().empty());
}

TEST_F(StateMachineTest, ConnectingPowersPartOneOffCompletelyBeforePartTwo) {
  state.ChipState[0] = state.ChipState[1] = kOwiMode;
  machine.ProgrammerChangeToState(0, 1);
  EXPECT_EQ(state.ProgrammerState, kConnected);
  EXPECT_EQ(calls(), (Calls{"Customized_PowerOff(0)", "Customized_SetADCMode(0)", "Customized_Mode0V(0)",
                            "Customized_PowerOff(1)", "Customized_SetADCMode(1)", "Customized_Mode0V(1)"}));
  EXPECT_EQ(state.ChipState[0], kPowerOff);
  EXPECT_EQ(state.ChipState[1], kPowerOff);

  // Going offline leaves the parts as recorded.
  reset();
  state.ChipState[1] = kAdcMode;
  machine.ProgrammerChangeToState(1, 0);
  EXPECT_EQ(state.ProgrammerState, kOffline);
  EXPECT_EQ(state.ChipState[1], kAdcMode);
  EXPECT_TRUE(calls().empty());
}

TEST_F(StateMachineTest, WindowLoadResetsTheSharedState) {
  state.ProgrammerState = kConnected;
  state.ChipState[0] = kOwiMode;
  state.CommLocked[1] = kTrue16;
  state.DacK[0] = 2.0f;
  state.DacB[1] = 3.0f;
  state.SysOffset = 4.0f;
  machine.loadWindowState();
  EXPECT_EQ(state.ProgrammerState, kOffline);
  EXPECT_EQ(state.ChipState[0], kPowerOff);
  EXPECT_EQ(state.CommLocked[1], kFalse16);
  EXPECT_FLOAT_EQ(state.DacK[0], 1.0f / 3.6f);
  EXPECT_EQ(state.DacB[1], 0.0f);
  EXPECT_EQ(state.SysOffset, 0.0f);
  EXPECT_TRUE(calls().empty());
}

TEST_F(StateMachineTest, DeviceCallsThatCannotBeMadeStopTheTransition) {
  device->script().fail("Customized_PowerOn", rx041::com::E_FAIL);
  EXPECT_FALSE(machine.ChipChangeToState(0, 0, 1));
  EXPECT_EQ(state.ChipState[0], kAdcMode);  // recorded before the call
  EXPECT_EQ(calls(), Calls{"Customized_PowerOn(0)"});
  EXPECT_EQ(texts(op.messages), Calls{"Method 'Customized_PowerOn' of object 'IZQ3902Device' failed"});

  reset();
  state.Device.reset();
  EXPECT_FALSE(machine.ChipChangeToState(1, 1, 2));
  EXPECT_EQ(texts(op.messages), Calls{"Error: in Offline mode"});
  EXPECT_TRUE(machine.ChipChangeToState(1, 0, 0));  // nothing to call
}

TEST_F(StateMachineTest, ReturnToAdcModeOnlyWhenConnectedAndOffOrInOwi) {
  QStringList status;
  const StatusSink sink = [&](const QString& text) { status << text; };
  machine.returnToAdcMode(0, sink);
  EXPECT_TRUE(calls().empty());  // offline

  state.ProgrammerState = kConnected;
  state.ChipState[0] = kAdcMode;
  machine.returnToAdcMode(0, sink);
  EXPECT_TRUE(calls().empty());

  state.ChipState[1] = kOwiMode;
  machine.returnToAdcMode(1, sink);
  EXPECT_EQ(calls(), (Calls{"Customized_QuitOWI(1)", "Customized_SetADCMode(1)"}));
  EXPECT_EQ(texts(status), Calls{"Part#2:  In transition to ADC Mode..."});
  EXPECT_EQ(state.ChipState[1], kAdcMode);
}

TEST_F(StateMachineTest, EnsureOwiModeFallsBackToAdcWhenRefused) {
  QStringList status;
  const StatusSink sink = [&](const QString& text) { status << text; };
  state.ProgrammerState = kConnected;
  state.ChipState[0] = kAdcMode;
  EXPECT_TRUE(machine.ensureOwiMode(0, sink));
  EXPECT_TRUE(machine.ensureOwiMode(0, sink));  // already in OWI mode: no transition
  EXPECT_EQ(state.ChipState[0], kOwiMode);
  EXPECT_EQ(calls(), Calls{"Customized_EnterOWI(0)"});

  reset(0, kTrue16);
  EXPECT_FALSE(machine.ensureOwiMode(1, sink));
  EXPECT_EQ(texts(op.messages), Calls{"Failed to set OWI mode due to CommLock!...Return to ADC mode!"});
  EXPECT_EQ(calls(), (Calls{"Customized_SetADCMode(1)"}));  // locked: ADC mode only
  EXPECT_EQ(state.ChipState[1], kAdcMode);
  EXPECT_EQ(texts(status), (Calls{"Part#1:  In transition to OWI Mode...", "Part#2:  In transition to OWI Mode..."}));
}

TEST_F(StateMachineTest, EnsureOwiModeForBothPartsNeedsThemInTheSameState) {
  QStringList status;
  const StatusSink sink = [&](const QString& text) { status << text; };
  state.ProgrammerState = kConnected;
  state.ChipState[0] = kPowerOff;
  state.ChipState[1] = kAdcMode;
  EXPECT_FALSE(machine.ensureOwiMode(kBothParts, sink));
  EXPECT_TRUE(calls().empty());

  state.ChipState[1] = kPowerOff;
  EXPECT_TRUE(machine.ensureOwiMode(kBothParts, sink));
  EXPECT_EQ(calls(), (Calls{"Customized_PowerOn(0)", "Customized_PowerOn(1)", "Customized_EnterOWI(3)"}));
  EXPECT_EQ(texts(status), Calls{"Part#1 and Part#2 :  In transition to OWI Mode..."});

  reset();
  state.ChipState[0] = state.ChipState[1] = kAdcMode;
  device->script().answer("Customized_EnterOWI", 1);
  EXPECT_FALSE(machine.ensureOwiMode(kBothParts, sink));
  // Unanswered by chips not recorded as locked: no lock to blame.
  EXPECT_EQ(texts(op.messages), Calls{"Part#1 and Part#2 do not answer: check that the chips are in their sockets"});
  EXPECT_EQ(calls(), (Calls{"Customized_EnterOWI(3)", "Customized_QuitOWI(0)", "Customized_QuitOWI(1)",
                            "Customized_SetADCMode(0)", "Customized_SetADCMode(1)"}));
  EXPECT_EQ(state.ChipState[0], kAdcMode);
  EXPECT_EQ(state.ChipState[1], kAdcMode);
}

}  // namespace
}  // namespace rx41
