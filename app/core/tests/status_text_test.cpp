#include "rx41/core/status_text.h"

#include <gtest/gtest.h>

namespace rx41 {
namespace {

TEST(StatusText, PartTextsByStateCode) {
  EXPECT_EQ(partStatusText(0, 0).toStdString(), " -- Part#1: Power Off");
  EXPECT_EQ(partStatusText(1, 1).toStdString(), " -- Part#2: ADC Mode");
  EXPECT_EQ(partStatusText(0, 2).toStdString(), " -- Part#1: OWI Mode");
  EXPECT_EQ(partStatusText(0, 5).toStdString(), " -- Part#1: Unrecognized Mode!");
  EXPECT_EQ(partStatusText(1, -1).toStdString(), " -- Part#2: Unrecognized Mode!");
}

TEST(StatusText, LineStartsWithTheConnectionThenTheParts) {
  AppState state;
  EXPECT_EQ(statusLine(state).toStdString(), "Ready: Offline Mode -- Part#1: Power Off -- Part#2: Power Off");
  state.ProgrammerState = kConnected;
  state.ChipState[0] = kAdcMode;
  EXPECT_EQ(statusLine(state).toStdString(),
            "Ready: Connected with Programmer -- Part#1: ADC Mode -- Part#2: Power Off");
  state.ChipState[1] = kOwiMode;
  EXPECT_EQ(statusLine(state, {1}).toStdString(), "Ready: Connected with Programmer -- Part#2: OWI Mode");
}

}  // namespace
}  // namespace rx41
