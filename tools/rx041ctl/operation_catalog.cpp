#include "operation_catalog.h"

#include "rx041/device/device_interfaces.h"

namespace rx041::ctl {
namespace {

void add(std::vector<Operation>& operations, const com::InterfaceInfo& info, std::string_view reachedThrough) {
  for (const auto& member : info.members) operations.push_back({&info, &member, reachedThrough});
}

}  // namespace

OperationCatalog::OperationCatalog() {
  add(operations_, zq3902::detail::deviceTable().info(), "");
  add(operations_, zq3902::detail::advancedTable().info(), "Advanced");
  add(operations_, zq3902::detail::solverTable().info(), "Solver");
}

const Operation* OperationCatalog::find(std::string_view name) const {
  for (const auto& operation : operations_) {
    if (operation.member->name == name) return &operation;
  }
  return nullptr;
}

std::string OperationCatalog::help() const {
  std::string text = "Operations with their in-parameters and, after ->, the values printed:\n";
  for (const auto& operation : operations_) {
    const com::MemberInfo& member = *operation.member;
    std::string line = "  " + std::string(member.name);
    std::string outs;
    for (const auto& param : member.params) {
      (param.out ? outs : line) += " " + std::string(param.name);
    }
    if (member.kind == com::InvokeKind::PropertyGet) outs += " value";
    text += line + "  ->" + (outs.empty() ? " (empty line)" : outs) + "\n";
  }
  text += "  sleep MS  -> (empty line)\n";
  text += "  MeasurePoint ChipIndex  -> angleBefore output angleAfter [expected error verdict, with --expect]\n";
  return text;
}

}  // namespace rx041::ctl
