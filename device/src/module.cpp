// The component server ZQ3902Module: its classes and what it publishes.
#include "rx041/component/registry.h"
#include "server_lifetime.h"
#include "zq3902_device.h"

namespace rx041::zq3902 {

com::ServerLifetime& serverLifetime() {
  static com::ServerLifetime lifetime;
  return lifetime;
}

namespace {

std::shared_ptr<com::Unknown> createDevice() {
  // Without the channel library the device still exists; its operations
  // then fail at once.
  return serverLifetime().make<Zq3902Device>(com::createInstance<chanlink::ISerialChannel>("Chanlink.SerialChannel"));
}

const com::ClassInfo kClasses[] = {
    {"ZQ3902Device", "ZQ3902Device Class", "{0D49FD02-A23C-4835-A119-A584ECCA05E1}", &createDevice},
    {"ZQ3902Advanced", "ZQ3902Advanced Class", "{FD743CA2-AA78-4129-AE36-A3A0E419BF26}",
     [] { return std::shared_ptr<com::Unknown>(serverLifetime().make<Zq3902Advanced>()); }},
    {"ZQ3902Solver", "ZQ3902Solver Class", "{91EC3C8D-0472-4F06-8742-17803061F59B}",
     [] { return std::shared_ptr<com::Unknown>(serverLifetime().make<Zq3902Solver>()); }},
};

const com::ServerInfo kServer{
    "ZQ3902Module",
    "ZQ3902Module Module",
    "1.0.0.1",
    "ZQ3902Module 1.0 Type Library",
    "{EF0EAF2D-CD76-4C15-9BBD-A87C8BA7E9F2}",
    kClasses,
    [] { return serverLifetime().canUnloadNow(); },
    [](bool lock) { serverLifetime().lock(lock); },
};

}  // namespace
}  // namespace rx041::zq3902

RX041_SERVER_ENTRY { return &rx041::zq3902::kServer; }
