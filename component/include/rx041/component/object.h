#pragma once
// Objects and the dispatch interface. Objects are shared by reference; an
// interface is obtained from any reference with query<Interface>().
#include <memory>
#include <span>
#include <string_view>

#include "rx041/component/status.h"
#include "rx041/component/variant.h"

namespace rx041::com {

struct InterfaceInfo;

class Unknown {
 public:
  virtual ~Unknown() = default;
};

enum class InvokeKind { Method, PropertyGet, PropertyPut };

// Late-bound access by dispatch id. Every parameter of the member has one slot
// in args, in declaration order: in-parameters are read from their slot,
// out-parameters are written into theirs. A property get returns its value in
// result; a property put takes it from args[0].
class IDispatch : public Unknown {
 public:
  virtual HRESULT invoke(DispId id, InvokeKind kind, std::span<Variant> args, Variant* result) = 0;
  virtual const InterfaceInfo& interfaceInfo() const = 0;
};

template <class Interface>
std::shared_ptr<Interface> query(const std::shared_ptr<Unknown>& object) {
  return std::dynamic_pointer_cast<Interface>(object);
}

}  // namespace rx041::com
