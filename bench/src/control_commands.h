#pragma once
// The control language: one command per line, one reply line per command,
// "ok" followed by values or "error" and a reason.
#include <string>
#include <string_view>

#include "bench_state.h"

namespace rx041::bench {

std::string runControlCommand(BenchState& state, std::string_view line);

}  // namespace rx041::bench
