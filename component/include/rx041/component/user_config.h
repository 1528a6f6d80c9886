#pragma once
// The per-user settings folder of the bench software, shared by the port map
// and the user's class registry.
#include <filesystem>

namespace rx041::com {

// $XDG_CONFIG_HOME/rx041, else ~/.config/rx041.
std::filesystem::path userConfigDirectory();

}  // namespace rx041::com
