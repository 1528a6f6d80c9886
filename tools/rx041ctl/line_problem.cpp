#include "line_problem.h"

#include "value_text.h"

namespace rx041::ctl {

std::optional<std::string> lineProblem(zq3902::ProgrammerLine line, std::string_view port) {
  const std::string name = port.find('/') == std::string_view::npos ? std::string(port) : quoted(port);
  switch (line) {
    case zq3902::ProgrammerLine::NotConnected:
    case zq3902::ProgrammerLine::Connected: return std::nullopt;
    case zq3902::ProgrammerLine::NoDevice: return "no device behind " + name;
    case zq3902::ProgrammerLine::Busy: return name + " is busy";
    case zq3902::ProgrammerLine::NotSerial: return name + " is not a serial device";
    case zq3902::ProgrammerLine::NoAccess: return name + ": permission denied";
    case zq3902::ProgrammerLine::Lost: return name + ": line lost";
  }
  return std::nullopt;
}

}  // namespace rx041::ctl
