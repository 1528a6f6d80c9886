#pragma once
// The class registry: ProgID -> class identifier -> server library. Entries
// live in text files (see registrySearchPath); servers are loaded on first use.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rx041/component/object.h"

namespace rx041::com {

struct CreateResult {
  std::shared_ptr<Unknown> object;
  HRESULT status = S_OK;
  std::string message;  // why creation failed, for logs
  explicit operator bool() const { return object != nullptr; }
};

// The registry files a class is looked up in, in order:
// 1. $RX041_REGISTRY when set, alone;
// 2. <program dir>/../etc/rx041/classes.reg when it exists, alone: a build
//    tree's registry, so that a build uses its own libraries even where the
//    package is installed;
// 3. otherwise the user's registry, ~/.config/rx041/classes.reg (under
//    $XDG_CONFIG_HOME when set), then the system-wide registry of the
//    installation (systemRegistryFile); a class comes from the first that names it.
std::vector<std::filesystem::path> registrySearchPath();

// Where registrations go unless told otherwise: the first file of the search path.
std::filesystem::path registryFile();

// The installation's own registry, in its variable state
// (/var/lib/rx041/classes.reg for the package), written when it is installed.
std::filesystem::path systemRegistryFile();

struct ClassLocation {
  std::string progId;  // the versioned ProgID the request led to
  std::string clsid;
  std::string library;
  std::filesystem::path registry;  // the file that named the class
};

// Where the search path leads for a ProgID; nullopt (and why in message) when
// no registry names the class or its library.
std::optional<ClassLocation> findClass(std::string_view progId, std::string* message = nullptr);

// Accepts the version-independent ProgID (followed through CurVer) or the
// versioned one. Never throws; a failure leaves object empty.
CreateResult createObject(std::string_view progId);

template <class Interface>
std::shared_ptr<Interface> createInstance(std::string_view progId) {
  return query<Interface>(createObject(progId).object);
}

// Writes or removes the entries of the server library at libraryPath.
HRESULT registerServer(const std::filesystem::path& libraryPath, const std::filesystem::path& registry,
                       std::string* message = nullptr);
HRESULT unregisterServer(const std::filesystem::path& libraryPath, const std::filesystem::path& registry,
                         std::string* message = nullptr);

// Unloads every loaded server that reports it can be unloaded; returns how many.
std::size_t freeUnusedLibraries();

}  // namespace rx041::com
