#pragma once
// Which registry files are consulted, and in which order. The places come in
// as values so that every case can be tried without touching the process.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rx041/component/registry.h"

namespace rx041::com::detail {

struct RegistryPlaces {
  std::filesystem::path explicitFile;      // $RX041_REGISTRY; empty when unset
  std::filesystem::path programDirectory;  // folder of the running program
  std::filesystem::path userConfig;        // the user's settings folder
};

RegistryPlaces currentRegistryPlaces();

// An installation keeps its system-wide registry with its variable state, not
// among its libraries: <prefix>/var/lib/rx041/classes.reg, where <prefix> is the
// folder above the programs' folder; /var/lib/rx041/classes.reg for the
// installation in /usr (the package's).
std::filesystem::path systemRegistry(const std::filesystem::path& programDirectory);

// An explicit file, or a build tree's registry (etc/rx041 beside bin/), is used
// alone; otherwise the user's registry comes before the system-wide one.
std::vector<std::filesystem::path> searchPath(const RegistryPlaces& places);

// The class from the first of files that names progId (missing files are
// skipped); nullopt and why in message otherwise.
std::optional<ClassLocation> locateClass(const std::vector<std::filesystem::path>& files, std::string_view progId,
                                         std::string* message);

}  // namespace rx041::com::detail
