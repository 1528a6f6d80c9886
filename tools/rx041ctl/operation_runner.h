#pragma once
// Runs parsed steps on one device object, late-bound by dispatch id, and
// renders each step's out-values as one line.
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rx041/component/object.h"
#include "script_parser.h"

namespace rx041::ctl {

struct OutValue {
  std::string_view name;  // the parameter's name; "value" for a property's value
  com::Variant value;
};

struct StepOutcome {
  std::vector<OutValue> values;  // the out-values in parameter order, a property's value last
  std::string line;              // the out-values as text, separated by one blank
  com::HRESULT status = com::S_OK;
};

class OperationRunner {
 public:
  explicit OperationRunner(std::shared_ptr<com::IDispatch> device) : device_(std::move(device)) {}

  StepOutcome run(const Step& step);

 private:
  // The object implementing the operation: the device, or the companion its property yields.
  std::shared_ptr<com::IDispatch> target(const Operation& operation, com::HRESULT& status);

  std::shared_ptr<com::IDispatch> device_;
  std::map<std::string_view, std::shared_ptr<com::IDispatch>> companions_;
};

}  // namespace rx041::ctl
