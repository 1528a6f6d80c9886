#pragma once
// The console's private port map is removed when SIGINT, SIGTERM or SIGHUP
// ends the process; the process then ends by that signal as it would have.
#include <signal.h>

#include <filesystem>

namespace rx041::ctl {

// Arms the removal of the link and then of its (empty) directory; one pair
// at a time. Signals the process ignores stay ignored.
void removeOnSignal(const std::filesystem::path& link, const std::filesystem::path& directory);
// Disarms it, before the files are removed in the ordinary way.
void keepOnSignal();

// Holds the stop signals back while the files are made and the removal armed,
// so that no signal falls between the two.
class StopSignalsHeld {
 public:
  StopSignalsHeld();
  ~StopSignalsHeld();
  StopSignalsHeld(const StopSignalsHeld&) = delete;
  StopSignalsHeld& operator=(const StopSignalsHeld&) = delete;

 private:
  sigset_t previous_{};
};

}  // namespace rx041::ctl
