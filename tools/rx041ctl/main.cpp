// rx041ctl: runs programming operations on one ZQ3902 device object, from the
// command line or from a script.
#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <sstream>

#include "failure_values.h"
#include "line_problem.h"
#include "operation_catalog.h"
#include "operation_runner.h"
#include "point_measurement.h"
#include "port_choice.h"
#include "rx041/component/registry.h"
#include "rx041/device/programmer_line.h"
#include "rx041/transport/port_map.h"
#include "rx041/version.h"
#include "script_parser.h"
#include "value_text.h"

namespace {

using namespace rx041;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitStoppedOnFailure = 3;

std::optional<std::string> readScript(const std::string& path) {
  std::ostringstream text;
  if (path == "-") {
    text << std::cin.rdbuf();
    return text.str();
  }
  std::ifstream file(path);
  if (!file) return std::nullopt;
  text << file.rdbuf();
  return text.str();
}

ctl::Step builtInStep(const std::string& text, const ctl::OperationCatalog& catalog) {
  return std::get<ctl::Step>(ctl::parseStep(text, 0, catalog));
}

// Says what is wrong with the programmer line, if anything; true when something is.
bool reportLineProblem(const std::shared_ptr<zq3902::IProgrammerLine>& line, const std::string& port) {
  const auto problem = line ? ctl::lineProblem(line->programmerLine(), port) : std::nullopt;
  if (problem) std::cerr << "rx041ctl: " << *problem << "\n";
  return problem.has_value();
}

}  // namespace

int main(int argc, char** argv) {
  const ctl::OperationCatalog catalog;
  CLI::App app{
      "Runs ZQ3902 programming operations through the device library, one output line per operation.\n"
      "  rx041ctl --port PORT OPERATION [ARGS...]  one operation\n"
      "  rx041ctl --port PORT --script FILE        a script of operations, one a line"};
  app.set_version_flag("--version", versionLine("rx041ctl"));
  std::string port;
  std::string scriptPath;
  bool stopOnFailure = false;
  std::string expectPath;
  double tolerance = rx41::kDefaultTolerance;
  app.add_option("--port", port, "COMn through the port map, or a device path")->required();
  app.add_option("--script", scriptPath, "script file, one operation per line ('-' reads standard input)");
  app.add_flag("--stop-on-failure", stopOnFailure,
               "stop at the first operation that reports one of its failure results (exit status 3)");
  app.add_option("--expect", expectPath,
                 "a profile file of the quick or dual-part windows: MeasurePoint also prints the level the part's "
                 "settings call for at the angle, the error and the verdict");
  app.add_option("--tolerance", tolerance, "the verdict's tolerance in %VDD with --expect (0.1 .. 10, default 1)")
      ->check(CLI::Range(rx41::kMinTolerance, rx41::kMaxTolerance));
  app.prefix_command();  // everything after the options is the operation and its arguments
  app.footer(catalog.help());
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? kExitOk : kExitUsage;
  }

  const std::vector<std::string> operationWords = app.remaining();
  if (scriptPath.empty() == operationWords.empty()) {
    std::cerr << "rx041ctl: give either one operation or --script FILE\n";
    return kExitUsage;
  }

  // Everything is parsed before the port is touched.
  std::string source = "command line";
  std::vector<ctl::Step> steps;
  if (!scriptPath.empty()) {
    const auto script = readScript(scriptPath);
    if (!script) {
      std::cerr << "rx041ctl: cannot read script " << ctl::quoted(scriptPath) << "\n";
      return kExitUsage;
    }
    source = scriptPath == "-" ? "standard input" : scriptPath;
    auto parsed = ctl::parseScript(*script, catalog);
    if (const auto* error = std::get_if<ctl::ParseError>(&parsed)) {
      std::cerr << source << ":" << error->line << ": " << error->message << "\n";
      return kExitUsage;
    }
    steps = std::get<std::vector<ctl::Step>>(std::move(parsed));
  } else {
    std::string line;
    for (const auto& word : operationWords) line += (line.empty() ? "" : " ") + word;
    auto parsed = ctl::parseStep(line, 1, catalog);
    if (const auto* error = std::get_if<ctl::ParseError>(&parsed)) {
      std::cerr << source << ": " << error->message << "\n";
      return kExitUsage;
    }
    steps.push_back(std::get<ctl::Step>(std::move(parsed)));
  }

  std::optional<ctl::ProfileExpectation> expectation;
  if (!expectPath.empty()) {
    auto read = ctl::readProfileExpectation(expectPath);
    if (const auto* problem = std::get_if<std::string>(&read)) {
      std::cerr << "rx041ctl: --expect " << ctl::quoted(expectPath) << " " << *problem << "\n";
      return kExitUsage;
    }
    expectation = std::get<ctl::ProfileExpectation>(std::move(read));
  }
  const ctl::PointMeasurement points(catalog, std::move(expectation), tolerance);
  for (const auto& step : steps) {
    if (!step.measuresPoint) continue;
    if (const auto missing = points.missingExpectation(step.inputs.at(0).toInt32().value_or(0))) {
      std::cerr << source << ":" << step.line << ": MeasurePoint: " << *missing << "\n";
      return kExitUsage;
    }
  }

  auto choice = ctl::PortChoice::fromText(port);
  if (!choice) {
    std::cerr << "rx041ctl: --port must be COM1 .. COM16 or a device path, not " << ctl::quoted(port) << "\n";
    return kExitUsage;
  }
  if (!choice->install()) {
    std::cerr << "rx041ctl: cannot set up a port map for " << port << "\n";
    return kExitFailure;
  }
  if (std::error_code ec; !std::filesystem::exists(transport::comPortPath(choice->comNumber()), ec)) {
    std::cerr << "rx041ctl: no device behind " << port << "\n";
    return kExitFailure;
  }

  const com::CreateResult created = com::createObject("ZQ3902Module.ZQ3902Device");
  const auto device = com::query<com::IDispatch>(created.object);
  if (!device) {
    std::cerr << "rx041ctl: cannot create ZQ3902Module.ZQ3902Device: " << created.message << "\n";
    return kExitFailure;
  }

  ctl::OperationRunner runner(device);
  const auto line = com::query<zq3902::IProgrammerLine>(created.object);
  const ctl::StepOutcome connected =
      runner.run(builtInStep("ConnectChannel " + std::to_string(choice->comNumber()), catalog));
  if (connected.line != "0") {
    std::cerr << "rx041ctl: the device could not connect its channel to " << port << "\n";
    return kExitFailure;
  }
  if (reportLineProblem(line, port)) {
    runner.run(builtInStep("Destroy -1", catalog));
    return kExitFailure;
  }

  int exitCode = kExitOk;
  for (const auto& step : steps) {
    const ctl::StepOutcome outcome = step.measuresPoint ? points.run(runner, step) : runner.run(step);
    std::cout << outcome.line << std::endl;
    if (!com::succeeded(outcome.status)) {
      std::cerr << source << ":" << step.line << ": the call failed with status 0x" << std::hex
                << static_cast<std::uint32_t>(outcome.status) << std::dec << "\n";
      exitCode = kExitFailure;
    }
    // Nothing after a lost line could reach the board.
    if (reportLineProblem(line, port)) {
      exitCode = kExitFailure;
      break;
    }
    if (const auto failure = stopOnFailure ? ctl::documentedFailure(step, outcome) : std::nullopt) {
      std::cerr << source << ":" << step.line << ": " << step.name() << " failed with " << *failure << "; stopping\n";
      exitCode = kExitStoppedOnFailure;
      break;
    }
  }
  runner.run(builtInStep("Destroy -1", catalog));
  return exitCode;
}
