#include "operation_runner.h"

#include <thread>

#include "rx041/component/dispatch.h"
#include "value_text.h"

namespace rx041::ctl {

std::shared_ptr<com::IDispatch> OperationRunner::target(const Operation& operation, com::HRESULT& status) {
  status = com::S_OK;
  if (operation.reachedThrough.empty()) return device_;
  if (auto it = companions_.find(operation.reachedThrough); it != companions_.end()) return it->second;
  const com::MemberInfo* property = device_->interfaceInfo().find(operation.reachedThrough);
  if (!property) {
    status = com::DISP_E_MEMBERNOTFOUND;
    return nullptr;
  }
  com::Variant result;
  status = device_->invoke(property->id, com::InvokeKind::PropertyGet, {}, &result);
  auto companion = result.toDispatch();
  if (com::succeeded(status) && !companion) status = com::E_POINTER;
  if (!com::succeeded(status)) return nullptr;
  companions_[operation.reachedThrough] = companion;
  return companion;
}

StepOutcome OperationRunner::run(const Step& step) {
  StepOutcome outcome;
  if (!step.operation) {
    std::this_thread::sleep_for(step.pause);
    return outcome;
  }
  const com::MemberInfo& member = *step.operation->member;
  const auto object = target(*step.operation, outcome.status);
  if (!object) return outcome;

  std::vector<com::Variant> args(member.argumentCount());
  std::size_t nextInput = 0;
  for (std::size_t i = 0; i < member.params.size(); ++i) {
    if (!member.params[i].out) args[i] = step.inputs[nextInput++];
  }
  com::Variant result;
  outcome.status = object->invoke(member.id, member.kind, args, &result);

  for (std::size_t i = 0; i < member.params.size(); ++i) {
    if (member.params[i].out) outcome.values.push_back({member.params[i].name, std::move(args[i])});
  }
  if (member.kind == com::InvokeKind::PropertyGet) outcome.values.push_back({"value", std::move(result)});
  for (std::size_t i = 0; i < outcome.values.size(); ++i)
    outcome.line += (i ? " " : "") + formatValue(outcome.values[i].value);
  return outcome;
}

}  // namespace rx041::ctl
