// The failure values --stop-on-failure looks for, matched against the
// out-values as the interfaces' type information names them.
#include "failure_values.h"

#include <gtest/gtest.h>

#include "operation_catalog.h"

namespace rx041::ctl {
namespace {

// A step of the operation with its out-values, named as the runner names them.
std::optional<std::string> failureOf(const std::string& operationName, const std::vector<com::Variant>& values) {
  static const OperationCatalog catalog;
  Step step;
  step.operation = catalog.find(operationName);
  if (!step.operation) {
    ADD_FAILURE() << operationName;
    return std::nullopt;
  }
  StepOutcome outcome;
  const com::MemberInfo& member = *step.operation->member;
  for (const auto& param : member.params) {
    if (param.out) outcome.values.push_back({param.name, values.at(outcome.values.size())});
  }
  if (member.kind == com::InvokeKind::PropertyGet) outcome.values.push_back({"value", values.back()});
  return documentedFailure(step, outcome);
}

TEST(FailureValuesTest, EachOperationIsJudgedByItsOwnFailureValues) {
  const struct {
    const char* operation;
    std::vector<com::Variant> values;
    std::optional<std::string> failure;
  } cases[] = {
      {"CopySolverSettingsToParameters", {std::int32_t{2}}, "pVal 2"},
      {"CopySolverSettingsToParameters", {std::int32_t{0}}, std::nullopt},
      {"Commlock", {std::int32_t{4}}, "pVal 4"},
      {"Commlock", {std::int32_t{5}}, "pVal 5"},  // the lock bit did not take
      {"Measure", {-101.0f}, "pVal -101"},
      {"Measure", {-4.5f}, std::nullopt},
      {"MeasureVdd", {-101.0f}, "pVal -101"},
      {"GetAngle", {2044.0f}, "pfAngle 2044"},
      {"GetAngle", {359.9f}, std::nullopt},
      {"MemRead", {std::int32_t{511}}, "pData 511"},
      {"MemRead", {std::int32_t{255}}, std::nullopt},
      {"ChipVersion", {std::int32_t{511}}, "value 511"},
      {"DAC_calibration", {0.3f, 0.0f, 0.2777778f, 0.0f, std::int32_t{0x11}}, "pVal 17"},
      {"ProgrammerVersion", {std::int32_t{0}, std::int32_t{0}, std::int32_t{0}, std::int32_t{1}}, "pVal 1"},
      {"Customized_PowerOn", {std::int32_t{1}}, "pVal 1"},
      {"SetSolverSetting", {std::int32_t{2}}, "pVal 2"},
      {"Advanced", {com::Variant()}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(failureOf(c.operation, c.values), c.failure) << c.operation;
}

}  // namespace
}  // namespace rx041::ctl
