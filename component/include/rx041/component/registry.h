#pragma once
// The class registry: ProgID -> class identifier -> server library. Entries
// live in one text file (see registryFile); servers are loaded on first use.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "rx041/component/object.h"

namespace rx041::com {

struct CreateResult {
  std::shared_ptr<Unknown> object;
  HRESULT status = S_OK;
  std::string message;  // why creation failed, for logs
  explicit operator bool() const { return object != nullptr; }
};

// The registry file in use: $RX041_REGISTRY when set, else
// <program dir>/../etc/rx041/classes.reg when it exists, else /etc/rx041/classes.reg.
std::filesystem::path registryFile();

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
