#pragma once
// What the console says when the programmer line stands in the way: a port
// that could not be opened, or a line lost while the operations ran.
#include <optional>
#include <string>
#include <string_view>

#include "rx041/device/programmer_line.h"

namespace rx041::ctl {

// "COM5 is busy", "COM7 is not a serial device", "COM5: line lost" ...; port
// is the port as the operator gave it. nullopt while the line is usable.
std::optional<std::string> lineProblem(zq3902::ProgrammerLine line, std::string_view port);

}  // namespace rx041::ctl
