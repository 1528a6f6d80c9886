#include "control_commands.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace rx041::bench {
namespace {

// A malformed argument; its text is the reason given to the sender.
struct BadArgument : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Arguments {
 public:
  Arguments(std::vector<std::string> words, std::string usage) : words_(std::move(words)), usage_(std::move(usage)) {}

  void expectCount(std::size_t count) const {
    if (words_.size() != count) throw BadArgument("usage: " + usage_);
  }
  const std::string& word(std::size_t i) const { return words_.at(i); }
  std::size_t count() const { return words_.size(); }
  // The words from index `from` on, joined by spaces.
  std::string rest(std::size_t from) const {
    std::string text;
    for (std::size_t i = from; i < words_.size(); ++i) text += (text.empty() ? "" : " ") + words_[i];
    return text;
  }

  int part(std::size_t i) const {
    const std::string& text = word(i);
    if (text != "0" && text != "1") throw BadArgument("part must be 0 or 1, not '" + text + "'");
    return text[0] - '0';
  }

  double number(std::size_t i, double low, double high) const {
    const std::string& text = word(i);
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value)) throw BadArgument("'" + text + "' is not a number");
    if (value < low || value > high) throw BadArgument("'" + text + "' is out of range");
    return value;
  }

  int integer(std::size_t i, int low, int high) const {
    const std::string& text = word(i);
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);  // decimal or 0x hex
    if (text.empty() || *end != '\0') throw BadArgument("'" + text + "' is not a whole number");
    if (value < low || value > high) throw BadArgument("'" + text + "' is out of range");
    return static_cast<int>(value);
  }

 private:
  std::vector<std::string> words_;
  std::string usage_;
};

std::string formatPercent(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

const char* onOff(bool value) { return value ? "on" : "off"; }

std::string describeState(const Board& board, int part) {
  const Position& position = board.position(part);
  const AdcSelection adc = board.adcSelection();
  const char* relay = "none";
  if (adc.part == part && adc.input == AdcInput::Supply) relay = "supply";
  if (adc.part == part && adc.input == AdcInput::Output) relay = "output";
  const char* switchOutput = "disabled";
  switch (position.chip.switchOutput()) {
    case SwitchOutput::On: switchOutput = "on"; break;
    case SwitchOutput::Off: switchOutput = "off"; break;
    case SwitchOutput::Disabled: break;
  }
  std::ostringstream out;
  out << "ok chip=" << (position.present ? "present" : "absent") << " power=" << onOff(position.powered)
      << " mode=" << (position.connection == Connection::Owi ? "owi" : "adc")
      << " owi=" << (position.owiEntered ? "entered" : "off") << " relay=" << relay << " switch=" << switchOutput
      << " locked=" << (position.chip.locked() ? "yes" : "no");
  return out.str();
}

struct Command {
  std::string usage;
  std::size_t words;  // including the command word; 0 for a variable count
  std::function<std::string(BenchState&, const Arguments&)> run;
};

const std::map<std::string, Command>& commands() {
  static const std::map<std::string, Command> table{
      {"angle",
       {"angle P DEGREES", 3,
        [](BenchState& s, const Arguments& a) {
          s.board.setAngle(a.part(1), a.number(2, -1e6, 1e6));
          return std::string("ok");
        }}},
      {"vdd",
       {"vdd P VOLTS", 3,
        [](BenchState& s, const Arguments& a) {
          s.board.setVdd(a.part(1), a.number(2, 0, 10));
          return std::string("ok");
        }}},
      {"chip",
       {"chip P present|absent", 3,
        [](BenchState& s, const Arguments& a) {
          const std::string& presence = a.word(2);
          if (presence != "present" && presence != "absent") throw BadArgument("usage: chip P present|absent");
          s.board.setPresent(a.part(1), presence == "present");
          return std::string("ok");
        }}},
      {"dac",
       {"dac P GAIN OFFSET", 4,
        [](BenchState& s, const Arguments& a) {
          s.board.setDacError(a.part(1), a.number(2, 0, 10), a.number(3, -100, 100));
          return std::string("ok");
        }}},
      {"id",
       {"id P VALUE", 3,
        [](BenchState& s, const Arguments& a) {
          s.board.setId(a.part(1), a.integer(2, 0, 255));
          return std::string("ok");
        }}},
      {"stuck",
       {"stuck P ADDRESS|none", 3,
        [](BenchState& s, const Arguments& a) {
          const int part = a.part(1);
          if (a.word(2) == "none")
            s.board.clearStuck(part);
          else
            s.board.setStuck(part, a.integer(2, 0, 255));
          return std::string("ok");
        }}},
      {"ram",
       {"ram P ADDRESS", 3,
        [](BenchState& s, const Arguments& a) {
          return "ok " + std::to_string(s.board.position(a.part(1)).chip.read(a.integer(2, 0, 255)));
        }}},
      {"eeprom",
       {"eeprom P ADDRESS [VALUE]", 0,
        [](BenchState& s, const Arguments& a) {
          if (a.count() != 3 && a.count() != 4) throw BadArgument("usage: eeprom P ADDRESS [VALUE]");
          const int part = a.part(1);
          const int address = a.integer(2, 0, 255);
          // A value sets the cell as an earlier programming left it.
          if (a.count() == 4) s.board.setEepromByte(part, address, a.integer(3, 0, 255));
          return "ok " + std::to_string(s.board.position(part).chip.eepromByte(address));
        }}},
      {"output",
       {"output P", 2,
        [](BenchState& s, const Arguments& a) {
          return "ok " + formatPercent(s.board.analogOutputPercent(a.part(1)));
        }}},
      {"state", {"state P", 2, [](BenchState& s, const Arguments& a) { return describeState(s.board, a.part(1)); }}},
      {"frames",
       {"frames", 1, [](BenchState& s, const Arguments&) { return "ok " + std::to_string(s.framesReceived); }}},
      {"fault",
       {"fault [once] KIND [ARG] [at G,O,A] | fault none | fault", 0,
        [](BenchState& s, const Arguments& a) {
          const std::string rest = a.rest(1);
          if (rest.empty()) return "ok " + describeFault(s.faults.current());
          std::string reason;
          auto fault = parseFault(rest, reason);
          if (!fault) throw BadArgument(reason);
          s.faults.set(*fault);
          return std::string("ok");
        }}},
  };
  return table;
}

std::string helpText() {
  std::string text = "ok commands:";
  for (const auto& [name, command] : commands())
    text += (name == commands().begin()->first ? " " : "; ") + command.usage;
  return text;
}

}  // namespace

std::string runControlCommand(BenchState& state, std::string_view line) {
  std::istringstream in{std::string(line)};
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  if (words.empty()) return "error empty command";
  if (words[0] == "help") return helpText();
  const auto found = commands().find(words[0]);
  if (found == commands().end()) return "error unknown command '" + words[0] + "' (try help)";
  const Command& command = found->second;
  Arguments arguments(std::move(words), command.usage);
  try {
    if (command.words != 0) arguments.expectCount(command.words);
    return command.run(state, arguments);
  } catch (const BadArgument& bad) {
    return std::string("error ") + bad.what();
  }
}

}  // namespace rx041::bench
