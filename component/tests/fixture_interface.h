#pragma once
// A small dispatch interface served by the test server library.
#include "rx041/component/dispatch.h"

namespace fixture {

using namespace rx041::com;

class ICounter : public IDispatch {
 public:
  struct Dispid {
    static constexpr DispId Value = 1;
    static constexpr DispId Add = 2;
    static constexpr DispId Describe = 3;
  };
  virtual HRESULT get_Value(std::int32_t* pVal) = 0;
  virtual HRESULT put_Value(std::int32_t value) = 0;
  virtual HRESULT Add(std::int16_t amount, float scale, std::int32_t* pTotal) = 0;
  virtual HRESULT Describe(const Variant& data, std::string* pText) = 0;

  HRESULT invoke(DispId id, InvokeKind kind, std::span<Variant> args, Variant* result) override {
    return table().invoke(*this, id, kind, args, result);
  }
  const InterfaceInfo& interfaceInfo() const override { return table().info(); }

  static const DispatchTable<ICounter>& table() {
    static const DispatchTable<ICounter> t{
        "ICounter",
        "ICounter Interface",
        {
            {{"Value", Dispid::Value, InvokeKind::PropertyGet, {}, VarType::I4},
             [](ICounter& self, std::span<Variant>, Variant* result) {
               std::int32_t v = 0;
               const HRESULT hr = self.get_Value(&v);
               *result = v;
               return hr;
             }},
            {{"Value", Dispid::Value, InvokeKind::PropertyPut, {}, VarType::I4},
             [](ICounter& self, std::span<Variant> args, Variant*) {
               return self.put_Value(arg<std::int32_t>(args, 0));
             }},
            {{"Add",
              Dispid::Add,
              InvokeKind::Method,
              {{"amount", VarType::I2}, {"scale", VarType::R4}, {"pTotal", VarType::I4, true}}},
             [](ICounter& self, std::span<Variant> args, Variant*) {
               std::int32_t total = 0;
               const HRESULT hr = self.Add(arg<std::int16_t>(args, 0), arg<float>(args, 1), &total);
               args[2] = total;
               return hr;
             }},
            {{"Describe",
              Dispid::Describe,
              InvokeKind::Method,
              {{"data", VarType::Any}, {"pText", VarType::String, true}}},
             [](ICounter& self, std::span<Variant> args, Variant*) {
               std::string text;
               const HRESULT hr = self.Describe(args[0], &text);
               args[1] = text;
               return hr;
             }},
        }};
    return t;
  }
};

}  // namespace fixture
