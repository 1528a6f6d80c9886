#pragma once
// The value type of dispatch calls: empty, 16/32-bit integers, single and double
// floats, the 16-bit boolean, strings (by value or by reference to the caller's
// string) and object references.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "rx041/component/status.h"

namespace rx041::com {

class IDispatch;

enum class VarType { Empty, I2, I4, R4, R8, Bool, String, StringRef, Dispatch, Any };

// Distinct from a 16-bit integer so that a boolean keeps its kind.
struct VariantBool {
  VARIANT_BOOL value = VARIANT_FALSE;
  bool operator==(const VariantBool&) const = default;
};

// A string owned by the caller, passed by reference.
struct StringRef {
  std::string* target = nullptr;
  bool operator==(const StringRef&) const = default;
};

class Variant {
 public:
  Variant() = default;
  Variant(std::int16_t v) : value_(v) {}
  Variant(std::int32_t v) : value_(v) {}
  Variant(float v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(VariantBool v) : value_(v) {}
  Variant(std::string v) : value_(std::move(v)) {}
  Variant(const char* v) : value_(std::string(v)) {}
  Variant(StringRef v) : value_(v) {}
  Variant(std::shared_ptr<IDispatch> v) : value_(std::move(v)) {}

  static Variant fromBool(bool b) { return VariantBool{b ? VARIANT_TRUE : VARIANT_FALSE}; }

  VarType type() const;
  bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }

  template <class T>
  const T* getIf() const {
    return std::get_if<T>(&value_);
  }

  // The string held by value or by reference; null for any other kind.
  const std::string* stringValue() const;

  // Coercions as automation performs them: numbers convert between kinds
  // (floats to integers round half to even, out of range fails), booleans
  // count as 0/-1, numeric strings parse. Empty converts to 0 / "".
  std::optional<std::int32_t> toInt32() const;
  std::optional<std::int16_t> toInt16() const;
  std::optional<float> toFloat() const;
  std::optional<double> toDouble() const;
  std::optional<VARIANT_BOOL> toBool() const;
  std::optional<std::string> toString() const;
  std::shared_ptr<IDispatch> toDispatch() const;

  // Converts to the given kind; Any returns the value unchanged.
  std::optional<Variant> changeType(VarType type) const;

  bool operator==(const Variant&) const = default;

 private:
  std::variant<std::monostate, std::int16_t, std::int32_t, float, double, VariantBool, std::string, StringRef,
               std::shared_ptr<IDispatch>>
      value_;
};

const char* varTypeName(VarType type);

}  // namespace rx041::com
