#pragma once
// Type information of dispatch interfaces and a table-driven invoke: an
// interface lists each member once (name, dispatch id, kind, parameters) with
// a small handler that forwards to its C++ method. Late-bound callers and
// tools such as the automation console work from the same table.
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "rx041/component/object.h"

namespace rx041::com {

struct ParamInfo {
  std::string_view name;
  VarType type = VarType::I4;
  bool out = false;
};

struct MemberInfo {
  std::string_view name;
  DispId id = 0;
  InvokeKind kind = InvokeKind::Method;
  // Parameters in declaration order. A property get returns its value (of
  // valueType) in the result; a property put takes it as one extra argument.
  std::vector<ParamInfo> params;
  VarType valueType = VarType::Empty;

  // Number of argument slots a caller passes.
  std::size_t argumentCount() const { return params.size() + (kind == InvokeKind::PropertyPut ? 1 : 0); }
};

struct InterfaceInfo {
  std::string_view name;
  std::string_view description;
  std::vector<MemberInfo> members;

  const MemberInfo* find(DispId id, InvokeKind kind) const;
  // First member of that name (a property's get comes before its put).
  const MemberInfo* find(std::string_view memberName) const;
};

// The value in an argument slot after the table converted it to the declared type.
template <class T>
const T& arg(std::span<Variant> args, std::size_t index) {
  return *args[index].getIf<T>();
}

template <class I>
class DispatchTable {
 public:
  using Handler = HRESULT (*)(I& self, std::span<Variant> args, Variant* result);
  struct Entry {
    MemberInfo info;
    Handler handler;
  };

  DispatchTable(std::string_view name, std::string_view description, std::vector<Entry> entries)
      : entries_(std::move(entries)) {
    info_.name = name;
    info_.description = description;
    for (const auto& entry : entries_) info_.members.push_back(entry.info);
  }

  const InterfaceInfo& info() const { return info_; }

  HRESULT invoke(I& self, DispId id, InvokeKind kind, std::span<Variant> args, Variant* result) const {
    for (const auto& entry : entries_) {
      if (entry.info.id != id || entry.info.kind != kind) continue;
      return call(self, entry, args, result);
    }
    return DISP_E_MEMBERNOTFOUND;
  }

 private:
  static HRESULT call(I& self, const Entry& entry, std::span<Variant> args, Variant* result) {
    const MemberInfo& member = entry.info;
    if (args.size() != member.argumentCount()) return DISP_E_BADPARAMCOUNT;
    if (member.kind == InvokeKind::PropertyGet && result == nullptr) return E_POINTER;
    std::vector<Variant> values(args.begin(), args.end());
    for (std::size_t i = 0; i < values.size(); ++i) {
      const bool isPutValue = i == member.params.size();
      const VarType type = isPutValue ? member.valueType : member.params[i].type;
      if (!isPutValue && member.params[i].out) continue;  // the member may leave it as the caller passed it
      auto converted = values[i].changeType(type);
      if (!converted) return DISP_E_TYPEMISMATCH;
      values[i] = std::move(*converted);
    }
    Variant scratch;
    const HRESULT hr = entry.handler(self, values, result ? result : &scratch);
    for (std::size_t i = 0; i < member.params.size(); ++i) {
      if (member.params[i].out) args[i] = std::move(values[i]);
    }
    return hr;
  }

  std::vector<Entry> entries_;
  InterfaceInfo info_;
};

}  // namespace rx041::com
