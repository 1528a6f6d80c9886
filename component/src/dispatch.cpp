#include "rx041/component/dispatch.h"

namespace rx041::com {

const MemberInfo* InterfaceInfo::find(DispId id, InvokeKind kind) const {
  for (const auto& member : members)
    if (member.id == id && member.kind == kind) return &member;
  return nullptr;
}

const MemberInfo* InterfaceInfo::find(std::string_view memberName) const {
  for (const auto& member : members)
    if (member.name == memberName) return &member;
  return nullptr;
}

}  // namespace rx041::com
