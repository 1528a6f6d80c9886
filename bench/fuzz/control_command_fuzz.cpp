// The bench's control language from any text: every line gets one reply line,
// "ok ..." or "error ...", and nothing a sender types escapes as an exception.
#include <cstdint>
#include <string_view>

#include "bench_state.h"
#include "control_commands.h"

namespace {

void expect(bool holds) {
  if (!holds) __builtin_trap();
}

bool startsWith(std::string_view text, std::string_view word) { return text.substr(0, word.size()) == word; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  rx041::bench::BenchState state;
  std::string_view text(reinterpret_cast<const char*>(bytes), size);
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string reply = rx041::bench::runControlCommand(state, text.substr(0, end));
    expect(startsWith(reply, "ok") || startsWith(reply, "error "));
    expect(reply.find('\n') == std::string::npos);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return 0;
}
