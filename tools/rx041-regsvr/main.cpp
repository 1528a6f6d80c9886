// rx041-regsvr: writes (or removes) the class registry entries of component
// server libraries, and shows where a class is found.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "rx041/component/registry.h"
#include "rx041/version.h"

namespace {

int lookUp(const std::string& progId) {
  std::string message;
  const auto location = rx041::com::findClass(progId, &message);
  if (!location) {
    std::fprintf(stderr, "rx041-regsvr: %s\n", message.c_str());
    return 1;
  }
  std::printf("%s %s %s %s\n", location->progId.c_str(), location->clsid.c_str(), location->library.c_str(),
              location->registry.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Registers the classes of RX041 component server libraries in a class registry."};
  app.set_version_flag("--version", rx041::versionLine("rx041-regsvr"));
  bool unregister = false;
  bool system = false;
  std::string registry;
  std::string lookup;
  std::vector<std::string> libraries;
  app.add_flag("-u,--unregister", unregister, "remove the entries instead of writing them");
  auto* registryOption = app.add_option("--registry", registry, "registry file to write")->type_name("FILE");
  app.add_flag("--system", system, "write the system-wide registry of this installation")->excludes(registryOption);
  auto* lookupOption =
      app.add_option("--lookup", lookup,
                     "show where PROGID is found: versioned ProgID, class identifier, library, registry file")
          ->type_name("PROGID");
  app.add_option("library", libraries, "server library (.so)")->type_name("LIBRARY")->excludes(lookupOption);
  app.footer(
      "Programs look a class up in these registry files, in this order:\n"
      "  $RX041_REGISTRY                         when set, alone\n"
      "  <program dir>/../etc/rx041/classes.reg  when it exists, alone: a build tree's own registry\n"
      "  ~/.config/rx041/classes.reg             else the user's registry (under $XDG_CONFIG_HOME when set)\n"
      "  <program dir>/../var/lib/rx041/classes.reg\n"
      "                                          then the installation's system-wide registry\n"
      "                                          (/var/lib/rx041/classes.reg for an installation in /usr)\n"
      "A class comes from the first file that names it. Without --registry or --system, entries go to the\n"
      "first file of this order.");
  CLI11_PARSE(app, argc, argv);

  if (!lookup.empty()) return lookUp(lookup);
  if (libraries.empty()) {
    std::fprintf(stderr, "rx041-regsvr: give the server libraries to register, or --lookup PROGID\n");
    return 2;
  }
  if (system) registry = rx041::com::systemRegistryFile().string();
  if (registry.empty()) registry = rx041::com::registryFile().string();

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
