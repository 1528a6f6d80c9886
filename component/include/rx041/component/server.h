#pragma once
// What an in-process component server publishes: its classes with their
// factories, its type library identity and whether it can be unloaded. Each
// server library exports exactly one entry point, rx041_server_info.
#include <atomic>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "rx041/component/object.h"

namespace rx041::com {

struct ClassInfo {
  std::string_view className;    // "SerialChannel"
  std::string_view description;  // "SerialChannel Class"
  std::string_view clsid;        // fixed class identifier
  std::shared_ptr<Unknown> (*create)();
};

struct ServerInfo {
  std::string_view libraryName;      // "Chanlink": the first half of every ProgID
  std::string_view description;      // "Chanlink Module"
  std::string_view fileVersion;      // "1.0.0.1"
  std::string_view typeLibraryName;  // "Chanlink 1.0 Type Library"
  std::string_view typeLibraryId;
  std::span<const ClassInfo> classes;
  bool (*canUnloadNow)();
  void (*lockServer)(bool lock);
};

inline constexpr const char* kServerEntryPoint = "rx041_server_info";
using ServerEntryPoint = const ServerInfo* (*)();

// "Chanlink.SerialChannel" and "Chanlink.SerialChannel.1".
std::string progId(const ServerInfo& server, const ClassInfo& cls);
std::string versionedProgId(const ServerInfo& server, const ClassInfo& cls);

// Counts a server's live objects and locks; the server can be unloaded when
// both are zero.
class ServerLifetime {
 public:
  template <class T, class... Args>
  std::shared_ptr<T> make(Args&&... args) {
    T* raw = new T(std::forward<Args>(args)...);
    objects_.fetch_add(1);
    // If the control block cannot be allocated the deleter still runs once.
    return std::shared_ptr<T>(raw, [this](T* object) {
      delete object;
      objects_.fetch_sub(1);
    });
  }
  void lock(bool lock) { locks_.fetch_add(lock ? 1 : -1); }
  bool canUnloadNow() const { return objects_.load() == 0 && locks_.load() <= 0; }
  int liveObjects() const { return objects_.load(); }

 private:
  std::atomic<int> objects_{0};
  std::atomic<int> locks_{0};
};

}  // namespace rx041::com

#define RX041_SERVER_ENTRY \
  extern "C" __attribute__((visibility("default"))) const ::rx041::com::ServerInfo* rx041_server_info()
