// The Chanlink component server: its classes, their factories and whether the
// library may be unloaded.
#include "comm_manager.h"
#include "mpt_channel.h"
#include "rx041/component/server.h"
#include "serial_channel.h"

namespace rx041::chanlink {
namespace {

com::ServerLifetime lifetime;

template <class T>
std::shared_ptr<com::Unknown> create() {
  return lifetime.make<T>();
}

const com::ClassInfo classes[] = {
    {"CommManager", "CommManager Class", "{3B5E2C71-8F0A-4D6B-9C21-5A7E0D4F1B01}", &create<CommManager>},
    {"MPTChannel", "MPTChannel Class", "{3B5E2C71-8F0A-4D6B-9C21-5A7E0D4F1B02}", &create<MPTChannel>},
    {"SerialChannel", "SerialChannel Class", "{3B5E2C71-8F0A-4D6B-9C21-5A7E0D4F1B03}", &create<SerialChannel>},
};

const com::ServerInfo server{
    "Chanlink",
    "Chanlink Module",
    "1.0.0.1",
    "Chanlink 1.0 Type Library",
    "{3B5E2C71-8F0A-4D6B-9C21-5A7E0D4F1B00}",
    classes,
    [] { return lifetime.canUnloadNow(); },
    [](bool lock) { lifetime.lock(lock); },
};

}  // namespace
}  // namespace rx041::chanlink

RX041_SERVER_ENTRY { return &rx041::chanlink::server; }
