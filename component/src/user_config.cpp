#include "rx041/component/user_config.h"

#include <cstdlib>

namespace rx041::com {

std::filesystem::path userConfigDirectory() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
    return std::filesystem::path(config) / "rx041";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : "/tmp") / ".config" / "rx041";
}

}  // namespace rx041::com
