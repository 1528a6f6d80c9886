#include "rx041/component/registry.h"

#include <dlfcn.h>

#include <functional>
#include <map>
#include <mutex>

#include "registry_search.h"
#include "registry_store.h"
#include "rx041/component/server.h"

namespace rx041::com {
namespace {

using detail::clsidSection;
using detail::RegistryStore;
using detail::typeLibSection;

// Servers stay loaded until freeUnusedLibraries finds them idle.
class LoadedServers {
 public:
  static LoadedServers& instance() {
    static LoadedServers servers;
    return servers;
  }

  const ServerInfo* load(const std::string& path, std::string& error) {
    std::lock_guard lock(mutex_);
    if (auto it = servers_.find(path); it != servers_.end()) return it->second.info;
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      const char* reason = ::dlerror();
      error = reason ? reason : "cannot load " + path;
      return nullptr;
    }
    auto entry = reinterpret_cast<ServerEntryPoint>(::dlsym(handle, kServerEntryPoint));
    const ServerInfo* info = entry ? entry() : nullptr;
    if (!info) {
      error = path + " does not publish " + kServerEntryPoint;
      ::dlclose(handle);
      return nullptr;
    }
    servers_[path] = {handle, info};
    return info;
  }

  std::size_t freeUnused() {
    std::lock_guard lock(mutex_);
    std::size_t freed = 0;
    for (auto it = servers_.begin(); it != servers_.end();) {
      if (it->second.info->canUnloadNow && it->second.info->canUnloadNow()) {
        ::dlclose(it->second.handle);
        it = servers_.erase(it);
        ++freed;
      } else {
        ++it;
      }
    }
    return freed;
  }

 private:
  struct Loaded {
    void* handle;
    const ServerInfo* info;
  };
  std::mutex mutex_;
  std::map<std::string, Loaded> servers_;
};

CreateResult failure(HRESULT status, std::string message) { return {nullptr, status, std::move(message)}; }

// Loads a server library only to read what it publishes.
class ServerProbe {
 public:
  explicit ServerProbe(const std::filesystem::path& path) : handle_(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (!handle_) {
      const char* reason = ::dlerror();
      error_ = reason ? reason : "cannot load " + path.string();
      return;
    }
    auto entry = reinterpret_cast<ServerEntryPoint>(::dlsym(handle_, kServerEntryPoint));
    info_ = entry ? entry() : nullptr;
    if (!info_) error_ = path.string() + " does not publish " + kServerEntryPoint;
  }
  ~ServerProbe() {
    if (handle_) ::dlclose(handle_);
  }
  ServerProbe(const ServerProbe&) = delete;
  ServerProbe& operator=(const ServerProbe&) = delete;

  const ServerInfo* info() const { return info_; }
  const std::string& error() const { return error_; }

 private:
  void* handle_;
  const ServerInfo* info_ = nullptr;
  std::string error_;
};

}  // namespace

std::vector<std::filesystem::path> registrySearchPath() { return detail::searchPath(detail::currentRegistryPlaces()); }

std::filesystem::path registryFile() { return registrySearchPath().front(); }

std::filesystem::path systemRegistryFile() {
  return detail::systemRegistry(detail::currentRegistryPlaces().programDirectory);
}

std::optional<ClassLocation> findClass(std::string_view progId, std::string* message) {
  return detail::locateClass(registrySearchPath(), progId, message);
}

CreateResult createObject(std::string_view requestedProgId) {
  std::string error;
  const auto location = findClass(requestedProgId, &error);
  if (!location) return failure(REGDB_E_CLASSNOTREG, error);

  const ServerInfo* server = LoadedServers::instance().load(location->library, error);
  if (!server) return failure(CO_E_DLLNOTFOUND, error);
  for (const ClassInfo& cls : server->classes) {
    if (cls.clsid != location->clsid) continue;
    try {
      auto object = cls.create();
      if (!object) return failure(E_FAIL, location->progId + ": the factory made no object");
      return {std::move(object), S_OK, {}};
    } catch (const std::exception& e) {
      return failure(E_FAIL, location->progId + ": " + e.what());
    }
  }
  return failure(CO_E_ERRORINDLL, location->library + " does not contain class " + location->progId);
}

namespace {

// Applies a change for the server library at libraryPath to the registry file.
HRESULT updateForServer(const std::filesystem::path& libraryPath, const std::filesystem::path& registry,
                        std::string* message,
                        const std::function<void(RegistryStore&, const ServerInfo&, const std::string&)>& change) {
  std::error_code ec;
  const auto path = std::filesystem::canonical(libraryPath, ec);
  if (ec) {
    if (message) *message = libraryPath.string() + ": " + ec.message();
    return CO_E_DLLNOTFOUND;
  }
  ServerProbe probe(path);
  const ServerInfo* server = probe.info();
  if (!server) {
    if (message) *message = probe.error();
    return CO_E_ERRORINDLL;
  }
  const bool written = RegistryStore::update(
      registry, [&](RegistryStore& store) { change(store, *server, path.string()); }, message);
  return written ? S_OK : E_FAIL;
}

}  // namespace

HRESULT registerServer(const std::filesystem::path& libraryPath, const std::filesystem::path& registry,
                       std::string* message) {
  return updateForServer(libraryPath, registry, message,
                         [](RegistryStore& store, const ServerInfo& server, const std::string& path) {
                           for (const ClassInfo& cls : server.classes) {
                             const std::string clsid(cls.clsid);
                             const std::string description(cls.description);
                             const auto versioned = versionedProgId(server, cls);
                             const auto independent = progId(server, cls);
                             store.set(versioned, "@", description);
                             store.set(versioned, "CLSID", clsid);
                             store.set(independent, "@", description);
                             store.set(independent, "CLSID", clsid);
                             store.set(independent, "CurVer", versioned);
                             const auto section = clsidSection(clsid);
                             store.set(section, "@", description);
                             store.set(section, "ProgID", versioned);
                             store.set(section, "VersionIndependentProgID", independent);
                             store.set(section, "Programmable", "");
                             store.set(section, "InprocServer32", path);
                             store.set(section, "ThreadingModel", "Apartment");
                             store.set(section, "TypeLib", std::string(server.typeLibraryId));
                           }
                           const auto typeLib = typeLibSection(server.typeLibraryId);
                           store.set(typeLib, "@", std::string(server.typeLibraryName));
                           store.set(typeLib, "Version", "1.0");
                           store.set(typeLib, "Path", path);
                           store.set(typeLib, "FileVersion", std::string(server.fileVersion));
                           store.set(typeLib, "FileDescription", std::string(server.description));
                         });
}

HRESULT unregisterServer(const std::filesystem::path& libraryPath, const std::filesystem::path& registry,
                         std::string* message) {
  return updateForServer(libraryPath, registry, message,
                         [](RegistryStore& store, const ServerInfo& server, const std::string&) {
                           for (const ClassInfo& cls : server.classes) {
                             store.remove(versionedProgId(server, cls));
                             store.remove(progId(server, cls));
                             store.remove(clsidSection(cls.clsid));
                           }
                           store.remove(typeLibSection(server.typeLibraryId));
                         });
}

std::size_t freeUnusedLibraries() { return LoadedServers::instance().freeUnused(); }

}  // namespace rx041::com
