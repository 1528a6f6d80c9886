#include "rx041/component/variant.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace rx041::com {
namespace {

std::optional<double> parseNumber(const std::string& text) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  while (begin < end && *begin == ' ') ++begin;
  while (end > begin && end[-1] == ' ') --end;
  if (begin == end) return std::nullopt;
  if (*begin == '+') ++begin;
  double value = 0;
  auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// Automation rounds floats to integers half to even and fails out of range.
template <class Int>
std::optional<Int> roundToInteger(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);
  if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Int>::max()))
    return std::nullopt;
  return static_cast<Int>(rounded);
}

}  // namespace

VarType Variant::type() const {
  switch (value_.index()) {
    case 0: return VarType::Empty;
    case 1: return VarType::I2;
    case 2: return VarType::I4;
    case 3: return VarType::R4;
    case 4: return VarType::R8;
    case 5: return VarType::Bool;
    case 6: return VarType::String;
    case 7: return VarType::StringRef;
    default: return VarType::Dispatch;
  }
}

const std::string* Variant::stringValue() const {
  if (auto s = std::get_if<std::string>(&value_)) return s;
  if (auto r = std::get_if<StringRef>(&value_)) return r->target;
  return nullptr;
}

std::optional<double> Variant::toDouble() const {
  switch (type()) {
    case VarType::Empty: return 0.0;
    case VarType::I2: return *getIf<std::int16_t>();
    case VarType::I4: return *getIf<std::int32_t>();
    case VarType::R4: return *getIf<float>();
    case VarType::R8: return *getIf<double>();
    case VarType::Bool: return getIf<VariantBool>()->value;
    case VarType::String:
    case VarType::StringRef: {
      const std::string* s = stringValue();
      return s ? parseNumber(*s) : std::nullopt;
    }
    default: return std::nullopt;
  }
}

std::optional<std::int32_t> Variant::toInt32() const {
  if (auto i = getIf<std::int32_t>()) return *i;
  if (auto i = getIf<std::int16_t>()) return *i;
  auto d = toDouble();
  return d ? roundToInteger<std::int32_t>(*d) : std::nullopt;
}

std::optional<std::int16_t> Variant::toInt16() const {
  if (auto i = getIf<std::int16_t>()) return *i;
  auto d = toDouble();
  return d ? roundToInteger<std::int16_t>(*d) : std::nullopt;
}

std::optional<float> Variant::toFloat() const {
  if (auto f = getIf<float>()) return *f;
  auto d = toDouble();
  if (!d) return std::nullopt;
  if (std::isfinite(*d) && std::fabs(*d) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(*d);
}

std::optional<VARIANT_BOOL> Variant::toBool() const {
  if (auto b = getIf<VariantBool>()) return b->value;
  if (const std::string* s = stringValue()) {
    if (*s == "True" || *s == "true") return VARIANT_TRUE;
    if (*s == "False" || *s == "false") return VARIANT_FALSE;
  }
  auto d = toDouble();
  if (!d) return std::nullopt;
  return *d != 0.0 ? VARIANT_TRUE : VARIANT_FALSE;
}

std::optional<std::string> Variant::toString() const {
  switch (type()) {
    case VarType::Empty: return std::string();
    case VarType::String:
    case VarType::StringRef: {
      const std::string* s = stringValue();
      return s ? std::optional<std::string>(*s) : std::nullopt;
    }
    case VarType::I2: return std::to_string(*getIf<std::int16_t>());
    case VarType::I4: return std::to_string(*getIf<std::int32_t>());
    case VarType::Bool: return std::string(getIf<VariantBool>()->value ? "True" : "False");
    case VarType::R4:
    case VarType::R8: {
      char buffer[32];
      auto [end, ec] = type() == VarType::R4 ? std::to_chars(buffer, buffer + sizeof buffer, *getIf<float>())
                                             : std::to_chars(buffer, buffer + sizeof buffer, *getIf<double>());
      if (ec != std::errc()) return std::nullopt;
      return std::string(buffer, end);
    }
    default: return std::nullopt;
  }
}

std::shared_ptr<IDispatch> Variant::toDispatch() const {
  if (auto d = getIf<std::shared_ptr<IDispatch>>()) return *d;
  return nullptr;
}

std::optional<Variant> Variant::changeType(VarType target) const {
  switch (target) {
    case VarType::Any: return *this;
    case VarType::Empty: return Variant();
    case VarType::I2:
      if (auto v = toInt16()) return Variant(*v);
      return std::nullopt;
    case VarType::I4:
      if (auto v = toInt32()) return Variant(*v);
      return std::nullopt;
    case VarType::R4:
      if (auto v = toFloat()) return Variant(*v);
      return std::nullopt;
    case VarType::R8:
      if (auto v = toDouble()) return Variant(*v);
      return std::nullopt;
    case VarType::Bool:
      if (auto v = toBool()) return Variant(VariantBool{*v});
      return std::nullopt;
    case VarType::String:
      if (auto v = toString()) return Variant(std::move(*v));
      return std::nullopt;
    case VarType::StringRef:
      if (type() == VarType::StringRef) return *this;
      return std::nullopt;
    case VarType::Dispatch:
      if (type() == VarType::Dispatch || type() == VarType::Empty) return Variant(toDispatch());
      return std::nullopt;
  }
  return std::nullopt;
}

const char* varTypeName(VarType type) {
  switch (type) {
    case VarType::Empty: return "empty";
    case VarType::I2: return "short";
    case VarType::I4: return "long";
    case VarType::R4: return "float";
    case VarType::R8: return "double";
    case VarType::Bool: return "bool";
    case VarType::String: return "string";
    case VarType::StringRef: return "string&";
    case VarType::Dispatch: return "object";
    case VarType::Any: return "variant";
  }
  return "?";
}

}  // namespace rx041::com
