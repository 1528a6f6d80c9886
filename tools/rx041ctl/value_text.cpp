#include "value_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "rx041/component/dispatch.h"

namespace rx041::ctl {
namespace {

constexpr std::size_t kQuotedBytes = 40;

template <class T>
std::string shortest(T value) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string();
}

}  // namespace

std::optional<std::int64_t> parseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  int base = 10;
  if (!negative && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  // Digits only from here: from_chars would take a second sign ("--5", "0x-48").
  if (text.empty() || !std::isxdigit(static_cast<unsigned char>(text.front()))) return std::nullopt;
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return negative ? -value : value;
}

std::optional<float> parseSingle(std::string_view text) {
  if (text.empty()) return std::nullopt;
  float value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string quoted(std::string_view word) {
  std::string text = "'";
  for (const char c : word.substr(0, kQuotedBytes)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      text += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      text += escaped;
    }
  }
  if (word.size() > kQuotedBytes) text += "...";
  return text + "'";
}

std::string formatValue(const com::Variant& value) {
  switch (value.type()) {
    case com::VarType::R4: return shortest(*value.getIf<float>());
    case com::VarType::R8: return shortest(*value.getIf<double>());
    case com::VarType::Dispatch: {
      const auto object = value.toDispatch();
      return object ? std::string(object->interfaceInfo().name) : "Nothing";
    }
    default: return value.toString().value_or(std::string());
  }
}

}  // namespace rx041::ctl
