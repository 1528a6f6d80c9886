#include "rx041/component/server.h"

namespace rx041::com {

std::string progId(const ServerInfo& server, const ClassInfo& cls) {
  return std::string(server.libraryName) + "." + std::string(cls.className);
}

std::string versionedProgId(const ServerInfo& server, const ClassInfo& cls) { return progId(server, cls) + ".1"; }

}  // namespace rx041::com
