// Parsing operations: names and argument types from the interfaces' type
// information, numbers, comments, and errors that name their line.
#include "script_parser.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "operation_catalog.h"
#include "rx041/device/device_interfaces.h"
#include "value_text.h"

namespace rx041::ctl {
namespace {

const OperationCatalog& catalog() {
  static const OperationCatalog instance;
  return instance;
}

Step parsed(const std::string& text) {
  ParseResult result = parseStep(text, 1, catalog());
  if (const auto* error = std::get_if<ParseError>(&result)) ADD_FAILURE() << text << ": " << error->message;
  return std::get_if<Step>(&result) ? std::get<Step>(result) : Step{};
}

std::string errorOf(const std::string& text) {
  ParseResult result = parseStep(text, 1, catalog());
  const auto* error = std::get_if<ParseError>(&result);
  return error ? error->message : "";
}

TEST(ScriptParserTest, EveryInterfaceMemberIsAnOperation) {
  for (const auto* info : {&zq3902::detail::deviceTable().info(), &zq3902::detail::advancedTable().info(),
                           &zq3902::detail::solverTable().info()}) {
    for (const auto& member : info->members) {
      const Operation* operation = catalog().find(member.name);
      ASSERT_NE(operation, nullptr) << member.name;
      EXPECT_EQ(operation->member->id, member.id);
      EXPECT_NE(catalog().help().find("  " + std::string(member.name)), std::string::npos);
    }
  }
  EXPECT_EQ(catalog().find("MemRead")->reachedThrough, "Advanced");
  EXPECT_EQ(catalog().find("Commlock")->reachedThrough, "Solver");
  EXPECT_EQ(catalog().find("GetAngle")->reachedThrough, "");
  EXPECT_NE(catalog().help().find("  DAC_calibration ChipIndex  -> SysOsK0 SysOsB0 SysOsK1 SysOsB1 pVal"),
            std::string::npos);
  EXPECT_NE(catalog().help().find("  MemWrite ChipIndex Addr Data  -> (empty line)"), std::string::npos);
}

TEST(ScriptParserTest, ArgumentsTakeTheTypesOfTheirParameters) {
  Step step = parsed("MemWrite 0 0x20 0x1FF");
  ASSERT_EQ(step.inputs.size(), 3u);
  EXPECT_EQ(step.inputs[1], com::Variant(std::int32_t{0x20}));
  EXPECT_EQ(step.inputs[2], com::Variant(std::int32_t{0x1FF}));

  step = parsed("SetSolverSetting 0 4 55.0 1");
  EXPECT_EQ(step.inputs[2], com::Variant(55.0f));
  step = parsed("SetSolverSetting 1 14 1 0");  // the integer setting takes a long
  EXPECT_EQ(step.inputs[2], com::Variant(std::int32_t{1}));
  step = parsed("SetSolverSetting 0 0xE 1 0");
  EXPECT_EQ(step.inputs[2], com::Variant(std::int32_t{1}));

  step = parsed("Destroy 1");  // passed as given: only -1 disconnects
  EXPECT_EQ(step.inputs[0], com::Variant(com::VariantBool{1}));
  step = parsed("Measure -1 2");
  EXPECT_EQ(step.inputs[0], com::Variant(std::int32_t{-1}));
  EXPECT_TRUE(parsed("ProgrammerVersion").inputs.empty());
  EXPECT_TRUE(parsed("ChipVersion 1").operation);

  step = parsed("sleep 250");
  EXPECT_EQ(step.operation, nullptr);
  EXPECT_EQ(step.pause, std::chrono::milliseconds(250));
}

TEST(ScriptParserTest, ErrorsSayWhatIsWrong) {
  EXPECT_EQ(errorOf("Frobnicate 1"), "unknown operation 'Frobnicate'");
  EXPECT_EQ(errorOf("memread 0 1"), "unknown operation 'memread'");
  EXPECT_EQ(errorOf("MemRead 1"), "MemRead takes 2 argument(s): MemRead ChipIndex Addr");
  EXPECT_EQ(errorOf("ProgrammerVersion 1"), "ProgrammerVersion takes 0 argument(s): ProgrammerVersion");
  EXPECT_EQ(errorOf("MemRead 1 zz"), "MemRead: Addr must be an integer, not 'zz'");
  EXPECT_EQ(errorOf("MemRead 1 4.5"), "MemRead: Addr must be an integer, not '4.5'");
  EXPECT_EQ(errorOf("MemRead 1 0x"), "MemRead: Addr must be an integer, not '0x'");
  EXPECT_EQ(errorOf("MemRead 1 99999999999"), "MemRead: Addr must be an integer, not '99999999999'");
  EXPECT_EQ(errorOf("MemRead 1 0x-48"), "MemRead: Addr must be an integer, not '0x-48'");
  EXPECT_EQ(errorOf("MemRead --5 1"), "MemRead: ChipIndex must be an integer, not '--5'");
  EXPECT_EQ(errorOf("Mem\x01\xff\x1b[2J 1"), "unknown operation 'Mem\\x01\\xFF\\x1B[2J'");
  EXPECT_EQ(errorOf("MemRead 1 " + std::string(10'000'000, '7')),
            "MemRead: Addr must be an integer, not '" + std::string(40, '7') + "...'");
  EXPECT_EQ(errorOf("SetSolverSetting 0 4 fifty 1"), "SetSolverSetting: Value must be a decimal number, not 'fifty'");
  EXPECT_EQ(errorOf("SetSolverSetting 0 4 1e3 1"), "SetSolverSetting: Value must be a decimal number, not '1e3'");
  EXPECT_EQ(errorOf("Destroy 70000"), "Destroy: Flag must be an integer, not '70000'");
  EXPECT_EQ(errorOf("sleep"), "sleep takes one argument: MS, a whole number of milliseconds");
  EXPECT_EQ(errorOf("sleep -5"), "sleep takes one argument: MS, a whole number of milliseconds");
}

TEST(ScriptParserTest, ScriptsSkipBlankAndCommentLinesAndStopAtTheFirstError) {
  ScriptResult result =
      parseScript("# power up\n\nCustomized_PowerOn 0\r\n   \n  # indented comment\nMeasure 0 1\n", catalog());
  ASSERT_TRUE(std::holds_alternative<std::vector<Step>>(result));
  const auto& steps = std::get<std::vector<Step>>(result);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].line, 3);
  EXPECT_EQ(steps[1].line, 6);
  EXPECT_EQ(steps[1].operation->member->name, "Measure");

  result = parseScript("Customized_PowerOn 0\nsleep 5\nMemRead 0\nFoo\n", catalog());
  ASSERT_TRUE(std::holds_alternative<ParseError>(result));
  EXPECT_EQ(std::get<ParseError>(result).line, 3);
}

TEST(ScriptParserTest, DemonstrationScriptParses) {
  std::ifstream file(DEMO_SCRIPT);
  std::ostringstream text;
  text << file.rdbuf();
  ASSERT_FALSE(text.str().empty());
  const ScriptResult result = parseScript(text.str(), catalog());
  ASSERT_TRUE(std::holds_alternative<std::vector<Step>>(result)) << std::get<ParseError>(result).message;
  EXPECT_EQ(std::get<std::vector<Step>>(result).size(),
            23u);  // the run script pairs each operation with its output line
}

TEST(ValueTextTest, OutValuesInTheirShortestForm) {
  EXPECT_EQ(formatValue(com::Variant(std::int32_t{-101})), "-101");
  EXPECT_EQ(formatValue(com::Variant(50.0f)), "50");
  EXPECT_EQ(formatValue(com::Variant(std::bit_cast<float>(0x3E8E38E4u))), "0.2777778");
  EXPECT_EQ(formatValue(com::Variant(99.99695f)), "99.99695");
  EXPECT_EQ(formatValue(com::Variant(-101.0f)), "-101");
  EXPECT_EQ(formatValue(com::Variant()), "");
  EXPECT_EQ(parseInteger("0x1ff"), 0x1FF);
  EXPECT_EQ(parseInteger("-12"), -12);
  for (const char* rejected : {"-0x10", "12a", "0x-48", "--5", "-+5", "0x+1F", "+5", " 5"})
    EXPECT_FALSE(parseInteger(rejected)) << rejected;
  EXPECT_EQ(parseSingle("55"), 55.0f);
  EXPECT_EQ(parseSingle("-0.25"), -0.25f);
  EXPECT_FALSE(parseSingle("nan"));
}

}  // namespace
}  // namespace rx041::ctl
