#include "faults.h"

#include <charconv>
#include <sstream>

namespace rx041::bench {
namespace {

constexpr std::chrono::microseconds kDefaultGap{150};
constexpr std::chrono::microseconds kSplitGap{2000};
constexpr const char* kStrayLine = "RX041 ready\n";  // shorter than any reply a host waits for
constexpr int kMaxDelayMs = 60000;

std::vector<std::string> cut(const std::string& text, std::size_t pieces) {
  pieces = std::max<std::size_t>(1, std::min(pieces, text.size()));
  std::vector<std::string> result;
  std::size_t start = 0;
  for (std::size_t i = 1; i <= pieces; ++i) {
    const std::size_t end = text.size() * i / pieces;
    result.push_back(text.substr(start, end - start));
    start = end;
  }
  return result;
}

struct KindName {
  FaultKind kind;
  const char* name;
  bool takesArgument;
};

constexpr KindName kKinds[] = {
    {FaultKind::Silent, "silent", false},   {FaultKind::Delay, "delay", true},    {FaultKind::Split, "split", true},
    {FaultKind::Garbage, "garbage", false}, {FaultKind::Refuse, "refuse", false}, {FaultKind::Hangup, "hangup", false},
};

// "C,O,R": three command letters as a frame carries them.
bool isCommand(const std::string& text) {
  const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  return text.size() == 5 && letter(text[0]) && text[1] == ',' && letter(text[2]) && text[3] == ',' && letter(text[4]);
}

}  // namespace

std::optional<Fault> parseFault(std::string_view words, std::string& reason) {
  std::istringstream in{std::string(words)};
  std::string word;
  in >> word;
  Fault fault;
  if (word == "none") {
    if (in >> word) {
      reason = "fault none takes no argument";
      return std::nullopt;
    }
    return fault;
  }
  if (word == "once") {
    fault.once = true;
    in >> word;
  }
  const KindName* kind = nullptr;
  for (const auto& k : kKinds)
    if (word == k.name) kind = &k;
  if (!kind) {
    reason = "unknown fault '" + word + "' (none, silent, delay MS, split N, garbage, refuse, hangup)";
    return std::nullopt;
  }
  fault.kind = kind->kind;
  if (kind->takesArgument) {
    std::string number;
    in >> number;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), fault.argument);
    const int low = fault.kind == FaultKind::Delay ? 0 : 1;
    const int high = fault.kind == FaultKind::Delay ? kMaxDelayMs : 64;
    if (number.empty() || ec != std::errc() || end != number.data() + number.size() || fault.argument < low ||
        fault.argument > high) {
      reason =
          std::string(kind->name) + " needs a whole number from " + std::to_string(low) + " to " + std::to_string(high);
      return std::nullopt;
    }
  }
  std::string extra;
  if (in >> extra && extra == "at") {
    if (!(in >> fault.command) || !isCommand(fault.command)) {
      reason = "at needs a command as a frame starts it, such as C,O,R";
      return std::nullopt;
    }
    extra.clear();
    in >> extra;
  }
  if (!extra.empty()) {
    reason = "unexpected '" + extra + "'";
    return std::nullopt;
  }
  return fault;
}

std::string describeFault(const Fault& fault) {
  for (const auto& k : kKinds) {
    if (k.kind != fault.kind) continue;
    std::string text = fault.once ? std::string("once ") + k.name : k.name;
    if (k.takesArgument) text += " " + std::to_string(fault.argument);
    if (!fault.command.empty()) text += " at " + fault.command;
    return text;
  }
  return "none";
}

bool FaultSchedule::hits(const Frame& frame) const {
  const std::string& c = fault_.command;
  return c.empty() || frame.is(c[0], c[2], c[4]);
}

bool FaultSchedule::refuses(const Frame& frame) {
  if (fault_.kind != FaultKind::Refuse || !frame.is('C', 'O', 'W') || !hits(frame)) return false;
  consumeOnce();
  return true;
}

Delivery FaultSchedule::deliver(const Frame& frame, const std::string& reply) {
  Delivery delivery;
  delivery.gap = kDefaultGap;
  delivery.pieces = cut(reply, 2 + replies_++ % 2);
  if (!hits(frame)) return delivery;
  const Fault fault = fault_;
  switch (fault.kind) {
    case FaultKind::Silent: delivery.pieces.clear(); break;
    case FaultKind::Delay: delivery.delay = std::chrono::milliseconds(fault.argument); break;
    case FaultKind::Split:
      delivery.pieces = cut(reply, static_cast<std::size_t>(fault.argument));
      delivery.gap = kSplitGap;
      break;
    case FaultKind::Garbage: delivery.pieces.insert(delivery.pieces.begin(), kStrayLine); break;
    case FaultKind::Hangup:
      delivery.pieces.clear();
      delivery.hangup = true;
      break;
    case FaultKind::None:
    case FaultKind::Refuse: return delivery;
  }
  consumeOnce();
  return delivery;
}

void FaultSchedule::consumeOnce() {
  if (fault_.once) fault_ = Fault{};
}

}  // namespace rx041::bench
