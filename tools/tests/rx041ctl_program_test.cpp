// The rx041ctl program: parse errors before anything is sent, output lines,
// and the frames a board sees.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "ctl_process.h"
#include "rx041/bench/bench.h"
#include "rx041/test_support/scripted_board_peer.h"
#include "rx041/test_support/temp_dir.h"

namespace rx041::ctl {
namespace {

using testing::runCtl;

class Rx041ctlTest : public ::testing::Test {
 protected:
  Rx041ctlTest() : ports_("RX041_PORTS", dir.path().c_str()), traces_("RX041_TRACE_DIR", dir.path().c_str()) {}

  std::string writeScript(const std::string& text) {
    const auto file = dir / "script.rxctl";
    std::ofstream(file) << text;
    return file.string();
  }

  test::TempDir dir;

 private:
  test::ScopedEnv ports_;
  test::ScopedEnv traces_;
};

TEST_F(Rx041ctlTest, ParseErrorsExitTwoBeforeAnythingIsSent) {
  test::ScriptedBoardPeer peer;
  std::filesystem::create_symlink(peer.slavePath(), dir / "COM1");

  auto run = runCtl("--port COM1 --script " + writeScript("Customized_PowerOn 0\n\n# next\nMemRead 1\nGetAngle 0\n"));
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("script.rxctl:4: MemRead takes 2 argument(s)"), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");

  run = runCtl("--port COM1 Frobnicate 1");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("unknown operation 'Frobnicate'"), std::string::npos) << run.err;

  run = runCtl("--port COM1 --script - ", "Measure 0 one\n");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("standard input:1: Measure: paramType must be an integer"), std::string::npos) << run.err;

  EXPECT_EQ(runCtl("--port nowhere Customized_PowerOn 0").exitCode, 2);
  EXPECT_EQ(runCtl("Customized_PowerOn 0").exitCode, 2);  // no port
  EXPECT_EQ(runCtl("--port COM1").exitCode, 2);           // no operation
  EXPECT_EQ(runCtl("--port COM1 --script " + (dir / "missing").string()).exitCode, 2);
  EXPECT_TRUE(peer.frames().empty());

  EXPECT_EQ(runCtl("--port COM9 Customized_PowerOn 0").exitCode, 1);  // nothing behind COM9
}

TEST_F(Rx041ctlTest, HelpListsTheOperations) {
  const auto run = runCtl("--help");
  EXPECT_EQ(run.exitCode, 0);
  for (const char* line : {"  SetSolverSetting ChipIndex settingID Value bOffset  -> pVal",
                           "  ProgrammerVersion  -> major minor build pVal", "  ChipVersion ChipIndex  -> value",
                           "  CopySolverSettingsToParameters ChipIndex  -> pVal", "  sleep MS"})
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
}

TEST_F(Rx041ctlTest, BoardSeesExactlyTheFramesOfTheOperations) {
  test::ScriptedBoardPeer peer;
  std::filesystem::create_symlink(peer.slavePath(), dir / "COM3");
  peer.setRegister(2, 0x48, 0x2C);
  const auto run = runCtl("--port COM3 --script " + writeScript("Customized_EnterOWI 3\n"
                                                                "MemRead 1 0x48\n"
                                                                "PWM_mode 0 2 3 1\n"
                                                                "ProgramDevice 0\n"
                                                                "Measure 0 1\n"
                                                                "MeasureVdd 3\n"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.lines(), (std::vector<std::string>{"0", "44", "0", "0", "0", "0"}));
  EXPECT_EQ(peer.frames(),
            (std::vector<std::string>{"$R,D,O,1,FF,FF#", "$R,D,O,2,FF,FF#", "$M,E,W,0,1F,55#", "$C,O,R,2,48,FF#",
                                      "$C,O,R,1,01,FF#", "$C,O,R,1,02,FF#", "$C,O,W,1,01,E0#", "$C,O,W,1,02,80#",
                                      "$M,A,W,1,52,FF#", "$M,S,W,1,50,FF#", "$M,T,W,0,FF,FF#", "$R,M,V,1,FF,FF#",
                                      "$M,T,W,0,FF,FF#", "$R,M,A,1,FF,FF#"}));
}

TEST_F(Rx041ctlTest, DevicePathWorksLikeAComPort) {
  test::ScriptedBoardPeer peer;
  const auto run = runCtl("--port " + peer.slavePath().string() + " Customized_PowerOn 1");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "0\n");
  EXPECT_EQ(peer.frames(), (std::vector<std::string>{"$R,P,O,2,FF,FF#"}));
  EXPECT_FALSE(std::filesystem::exists(dir / "COM1"));  // the operator's port map is left alone
}

TEST_F(Rx041ctlTest, ScriptOnTheBenchPrintsOneLinePerOperation) {
  bench::Bench bench(bench::BenchOptions{.comNumber = 2});
  const auto run = runCtl("--port COM2 --script " + writeScript("# a session\n"
                                                                "Customized_PowerOn 0\n"
                                                                "Customized_SetADCMode 0\n"
                                                                "MeasureVdd 0\n"
                                                                "Customized_EnterOWI 0\n"
                                                                "MemWrite 0 0x20 0x1FF\n"
                                                                "MemRead 0 0x20\n"
                                                                "SetSolverSetting 0 4 55.0 1\n"
                                                                "SetSolverSetting 0 14 1 0\n"
                                                                "SetSolverSetting 0 99 1.5 0\n"
                                                                "ClearSolverSettings 2\n"
                                                                "ProgrammerVersion\n"
                                                                "sleep 20\n"
                                                                "GetAngle 0\n"
                                                                "DAC_calibration 0\n"
                                                                "Advanced\n"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const auto lines = run.lines();
  ASSERT_EQ(lines.size(), 15u) << run.out;
  EXPECT_EQ(lines[0], "0");
  EXPECT_EQ(lines[1], "0");
  EXPECT_TRUE(std::regex_match(lines[2], std::regex("4\\.99[0-9]*|5"))) << lines[2];
  EXPECT_EQ(lines[3], "0");
  EXPECT_EQ(lines[4], "");  // MemWrite has no out-value
  EXPECT_EQ(lines[5], "255");
  EXPECT_EQ(lines[6], "0");
  EXPECT_EQ(lines[7], "0");
  EXPECT_EQ(lines[8], "2");
  EXPECT_EQ(lines[9], "1");
  EXPECT_EQ(lines[10], "1 0 4 0");
  EXPECT_EQ(lines[11], "");
  EXPECT_TRUE(std::regex_match(lines[12], std::regex("[0-9.]+"))) << lines[12];
  EXPECT_TRUE(std::regex_match(lines[13], std::regex("[-0-9.e]+ [-0-9.e]+ 0\\.2777778 0 [0-9]+"))) << lines[13];
  EXPECT_EQ(lines[14], "IZQ3902Advanced");
}

// The words of an output line.
std::vector<std::string> fields(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

TEST_F(Rx041ctlTest, MeasurePointJudgesAPointAgainstTheProfile) {
  bench::Bench bench(bench::BenchOptions{.comNumber = 5});
  ASSERT_EQ(runCtl("--port COM5 --script " + std::string(DEMO_SCRIPT)).exitCode, 0);
  // What the demonstration programmed, as the quick 2-points window saves it.
  const auto profile = dir / "profile.txt";
  std::ofstream(profile) << "Part #Index:0\r\nDirection is:0\r\nDP is(deg):270.00\r\nClamp High is(%):95.00\r\n"
                            "Clamp Low is(%):5.00\r\nAngle of Point A is(deg):40.00\r\nLevel of Point A is(%):10.00\r\n"
                            "Angle of Point B is(deg):140.00\r\nLevel of Point B is(%):90.00\r\n";
  const std::string expect = "--port COM5 --expect " + profile.string() + " ";
  bench.setAngle(0, 90.0);

  auto run = runCtl(expect + "MeasurePoint 0");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  auto words = fields(run.out);
  ASSERT_EQ(words.size(), 6u) << run.out;
  EXPECT_EQ(words[0], "90");  // the chip's angle before and after
  EXPECT_EQ(words[2], "90");
  EXPECT_NEAR(std::stod(words[1]), 50.0, 0.3);
  EXPECT_EQ(words[3], "50");
  EXPECT_EQ(words[5], "pass");
  EXPECT_NE(bench.control("state 0").find("mode=adc"), std::string::npos) << "left running, output on the ADC";
  EXPECT_EQ(fields(runCtl("--port COM5 MeasurePoint 0").out).size(), 3u) << "without --expect: the readings";

  // The output stage drifted: 50 % comes out as 54 %, within a tolerance of 5 but not of 1.
  ASSERT_EQ(bench.control("dac 0 1.08 0"), "ok");
  words = fields(runCtl(expect + "MeasurePoint 0").out);
  ASSERT_EQ(words.size(), 6u);
  EXPECT_NEAR(std::stod(words[4]), 4.0, 0.3);
  EXPECT_EQ(words[5], "fail");
  EXPECT_EQ(fields(runCtl(expect + "--tolerance 5 MeasurePoint 0").out).back(), "pass");
  bench.setAngle(0, 271.0);
  EXPECT_EQ(fields(runCtl(expect + "MeasurePoint 0").out).back(), "near_jump");

  // Before anything is sent: a part the profile holds no settings for, a file that is no profile.
  const auto frames = bench.frames().size();
  run = runCtl(expect + "MeasurePoint 1");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("no settings for Part#2"), std::string::npos) << run.err;
  run = runCtl("--port COM5 --expect " + writeScript("GetAngle 0\n") + " MeasurePoint 0");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("is no profile"), std::string::npos) << run.err;
  EXPECT_EQ(runCtl(expect + "MeasurePoint 2").exitCode, 2);
  EXPECT_EQ(bench.frames().size(), frames);
}

}  // namespace
}  // namespace rx041::ctl
