// rx041-regsvr: writes (or removes) the class registry entries of component
// server libraries.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "rx041/component/registry.h"

int main(int argc, char** argv) {
  CLI::App app{"Registers the classes of RX041 component server libraries"};
  bool unregister = false;
  std::string registry = rx041::com::registryFile().string();
  std::vector<std::string> libraries;
  app.add_flag("-u,--unregister", unregister, "remove the entries instead of writing them");
  app.add_option("--registry", registry, "registry file")->capture_default_str();
  app.add_option("library", libraries, "server library (.so)")->required();
  CLI11_PARSE(app, argc, argv);

  int failures = 0;
  for (const auto& library : libraries) {
    std::string message;
    const auto hr = unregister ? rx041::com::unregisterServer(library, registry, &message)
                               : rx041::com::registerServer(library, registry, &message);
    if (!rx041::com::succeeded(hr)) {
      std::fprintf(stderr, "rx041-regsvr: %s: %s\n", library.c_str(), message.c_str());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
