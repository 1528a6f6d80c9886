// The device library's trace log: written only while the marker exists, one
// line per traced step in the library's own formats.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "connected_device.h"

namespace rx041::zq3902 {
namespace {

using test::PeerReply;
using test::ScriptedBoardPeer;
using testing::ConnectedDevice;
using testing::result;

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// Each expected line with N standing for a number.
void expectLines(const std::string& log, const std::vector<std::string>& expected) {
  const auto lines = linesOf(log);
  ASSERT_EQ(lines.size(), expected.size()) << log;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string pattern;
    for (const char c : expected[i]) {
      if (c == 'N')
        pattern += "-?[0-9]+";
      else if (std::string("().[]*+?^$\\|{}").find(c) != std::string::npos)
        pattern += std::string("\\") + c;
      else
        pattern += c;
    }
    EXPECT_TRUE(std::regex_match(lines[i], std::regex(pattern))) << "line " << i << ": " << lines[i];
  }
}

TEST(TraceLogTest, DeviceOperationsInTheirFormats) {
  ConnectedDevice device(true);
  result(&IZQ3902Device::Customized_PowerOn, *device, 0);
  result(&IZQ3902Device::Customized_EnterOWI, *device, 3);
  const auto advanced = device.advanced();
  advanced->MemWrite(0, 0x20, 0x07);
  device.peer.scriptReply("$C,O,W", PeerReply::line(ScriptedBoardPeer::refusedWriteLine(0x21)));
  advanced->MemWrite(0, 0x21, 0x07);
  testing::memRead(*advanced, 0, 0x20);
  std::int32_t version = 0;
  advanced->get_ChipVersion(0, &version);
  float reading = 0;
  device->GetAngle(0, &reading);
  result(&IZQ3902Device::ProgramDevice, *device, 0);
  result(&IZQ3902Device::Customized_QuitOWI, *device, 0);
  result(&IZQ3902Device::Customized_SetADCMode, *device, 0);
  result(&IZQ3902Device::Customized_Mode0V, *device, 0);
  result(&IZQ3902Device::Customized_PowerOff, *device, 0);
  device->MeasureVdd(0, &reading);
  expectLines(device.traceLog(), {
                                     "N: Called InitializeAllSettings KVT Lib Device",
                                     "N: Called of ConnectChannel from KVT Lib Device module with string: "
                                     "N, Called Customized_PowerOn KVT Lib Device",
                                     "N, Called Customized_SetOWI KVT Lib Device",
                                     "N, Called Customized_SetOWI KVT Lib Device",
                                     "N, Called Customized_EnterOWI KVT Lib Device with result:0",
                                     "N: Called get_Advanced KVT Lib Device",
                                     "N: Called InitializeAdvanced KVT Lib Advanced",
                                     "N: MemWriteWithCRC with result:0 and time cost is N",
                                     "N: MemWriteWithCRC with result:2 and time cost is N",
                                     "N, Called MemRead KVT Lib Advanced with long: 7",
                                     "N: Called get_ChipVersion",
                                     "N, Called MemRead KVT Lib Advanced with long: 0",
                                     "N, Called MemRead KVT Lib Advanced with long: 0",
                                     "N: CmdReadProgrammerADCvalue time cost is N",
                                     "N: Called ProgramDevice KVT Lib Device",
                                     "N: CmdErase time cost is N with result:0",
                                     "N: CmdStore time cost is N with result:0",
                                     "N: Called ProgramDevice KVT Lib Device. Total time cost:N",
                                     "N, Called Customized_QuitOWI KVT Lib Device with result:0",
                                     "N, Called Customized_SetADCMode KVT Lib Device",
                                     "N, Called Customized_Mode0V KVT Lib Device",
                                     "N, Called Customized_PowerOff KVT Lib Device",
                                     "N, Called Customized_Mode5V KVT Lib Device",
                                 });
}

TEST(TraceLogTest, SolverLinesAndTheirTimes) {
  ConnectedDevice device(true, true);
  const auto solver = device.solver();
  device.peer.scriptReply("$C,O,W,1,02", PeerReply::line(ScriptedBoardPeer::refusedWriteLine(0x02)));
  std::int32_t status = -1;
  solver->ClearSolverSettings(0, &status);
  device.peer.scriptReply("$M,A,W", PeerReply::line("erase refused by chip!"));
  device.peer.setRegister(1, 0x1C, 0);
  solver->Commlock(0, &status);
  ASSERT_EQ(status, 2);
  const auto lines = linesOf(device.traceLog());
  ASSERT_EQ(lines.size(), 7u) << device.traceLog();
  // The ConnectChannel line has no line end: the next line continues it.
  EXPECT_TRUE(std::regex_match(lines[1], std::regex("[0-9]+: Called of ConnectChannel from KVT Lib Device module with "
                                                    "string: [0-9]+: Called get_Solver KVT Lib Device")));
  EXPECT_TRUE(std::regex_match(lines[2], std::regex("[0-9]+: Called InitializeSolver KVT Lib Solver")));
  EXPECT_TRUE(std::regex_match(lines[3], std::regex("[0-9]+: CmdWriteByteAddr with result:0 and time cost is [0-9]+")));
  EXPECT_TRUE(std::regex_match(lines[4], std::regex("[0-9]+: CmdWriteByteAddr with result:2 and time cost is [0-9]+")));
  std::smatch lastWrite, program, erase;
  ASSERT_TRUE(std::regex_match(lines[4], lastWrite, std::regex("([0-9]+):.*")));
  ASSERT_TRUE(std::regex_match(lines[5], program, std::regex("([0-9]+): Called ProgramDevice KVT Lib Device")));
  ASSERT_TRUE(std::regex_match(lines[6], erase, std::regex("([0-9]+): CmdErase time cost is ([0-9]+) with result:1")));
  // Between the clearing and the programming lie the lock read and the 100 ms wait.
  EXPECT_GE(std::stol(program[1]) - std::stol(lastWrite[1]), 100);
  EXPECT_LE(std::stol(erase[2]), std::stol(erase[1]) - std::stol(program[1]));
}

TEST(TraceLogTest, WhatIsClearedOffTheLineBeforeAFrame) {
  ConnectedDevice device(true);
  // A lost reply: the next frame waits for the quiet period after the give-up.
  device.peer.scriptReply("$R,P,O", PeerReply::silence());
  result(&IZQ3902Device::Customized_PowerOn, *device, 0);
  // A reply with a second line behind it: thrown away before the next frame,
  // shown with its line ends, quotes and backslashes escaped.
  device.peer.scriptReply("$R,P,F", PeerReply::line(ScriptedBoardPeer::powerOffLine('1') + "\nOK \"1\"\\\r"));
  result(&IZQ3902Device::Customized_PowerOff, *device, 0);
  result(&IZQ3902Device::Customized_PowerOff, *device, 0);
  const std::string log = device.traceLog();
  expectLines(log, {
                       "N: Called InitializeAllSettings KVT Lib Device",
                       "N: Called of ConnectChannel from KVT Lib Device module with string: "
                       "N, Called Customized_PowerOn KVT Lib Device",
                       "N, Called Customized_PowerOff KVT Lib Device",
                       "N: Waited N ms after a reply time-out before $R,P,F,1,FF,FF#",
                       "N, Called Customized_PowerOff KVT Lib Device",
                       R"(N: Discarded before $R,P,F,1,FF,FF#: "OK \"1\"\\\r\n")",
                   });
  const std::string waited = linesOf(log).at(3);
  EXPECT_GE(std::stol(waited.substr(waited.find("Waited ") + 7)), 300)
      << "the rest of the quiet second after a give-up some 600 ms after the frame";
}

TEST(TraceLogTest, NothingIsWrittenWithoutTheMarkerAndLoggingStartsWhenItAppears) {
  ConnectedDevice device(false);
  result(&IZQ3902Device::Customized_PowerOn, *device, 0);
  EXPECT_FALSE(std::filesystem::exists(device.directory() / "KVTlog.txt"));
  std::ofstream(device.directory() / "wispfly.txt") << "on\n";
  result(&IZQ3902Device::Customized_PowerOff, *device, 1);
  expectLines(device.traceLog(), {"N, Called Customized_PowerOff KVT Lib Device"});
}

}  // namespace
}  // namespace rx041::zq3902
