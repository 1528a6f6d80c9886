#include "registry_search.h"

#include <cstdlib>

#include "registry_store.h"
#include "rx041/component/user_config.h"

namespace rx041::com::detail {

RegistryPlaces currentRegistryPlaces() {
  RegistryPlaces places;
  if (const char* env = std::getenv("RX041_REGISTRY"); env && *env) places.explicitFile = env;
  std::error_code ec;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) places.programDirectory = program.parent_path();
  places.userConfig = userConfigDirectory();
  return places;
}

std::filesystem::path systemRegistry(const std::filesystem::path& programDirectory) {
  auto prefix = (programDirectory / "..").lexically_normal();
  if (!prefix.has_filename()) prefix = prefix.parent_path();  // "/usr/" -> "/usr"
  // The package's state is the system's (/var for /usr, as the file system
  // hierarchy keeps it); any other installation keeps its own beside it.
  const std::filesystem::path state = prefix == "/usr" ? std::filesystem::path("/var") : prefix / "var";
  return state / "lib" / "rx041" / "classes.reg";
}

std::vector<std::filesystem::path> searchPath(const RegistryPlaces& places) {
  if (!places.explicitFile.empty()) return {places.explicitFile};
  const auto user = places.userConfig / "classes.reg";
  if (places.programDirectory.empty()) return {user};
  const auto buildTree = (places.programDirectory / ".." / "etc" / "rx041" / "classes.reg").lexically_normal();
  std::error_code ec;
  if (std::filesystem::exists(buildTree, ec)) return {buildTree};
  return {user, systemRegistry(places.programDirectory)};
}

std::optional<ClassLocation> locateClass(const std::vector<std::filesystem::path>& files, std::string_view progId,
                                         std::string* message) {
  std::string looked;
  for (const auto& file : files) {
    looked += (looked.empty() ? "" : ", ") + file.string();
    const auto store = RegistryStore::load(file);
    if (!store) continue;
    std::string resolved(progId);
    if (auto current = store->value(resolved, "CurVer"); current && store->section(*current)) resolved = *current;
    const auto clsid = store->value(resolved, "CLSID");
    if (!clsid) continue;
    const auto library = store->value(clsidSection(*clsid), "InprocServer32");
    if (!library) {
      if (message) *message = "class " + resolved + " names no server library in " + file.string();
      return std::nullopt;
    }
    return ClassLocation{resolved, *clsid, *library, file};
  }
  if (message) *message = "class " + std::string(progId) + " is not registered in " + looked;
  return std::nullopt;
}

}  // namespace rx041::com::detail
