#pragma once
// The operations of the console: every member of the device, advanced and
// solver interfaces, taken from their type information.
#include <string>
#include <string_view>
#include <vector>

#include "rx041/component/dispatch.h"

namespace rx041::ctl {

struct Operation {
  const com::InterfaceInfo* interface;
  const com::MemberInfo* member;
  // The device property that yields the object implementing the member;
  // empty for the device's own members.
  std::string_view reachedThrough;
};

class OperationCatalog {
 public:
  OperationCatalog();

  // The member of that name, or null.
  const Operation* find(std::string_view name) const;
  const std::vector<Operation>& operations() const { return operations_; }
  // One line per operation: its name, in-parameters and out-values.
  std::string help() const;

 private:
  std::vector<Operation> operations_;
};

}  // namespace rx041::ctl
