// rx041-sim: the virtual bench as a program. Prints the device path of its
// pseudo-terminal as the first line of its output and serves until SIGINT or
// SIGTERM.
#include <signal.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <iostream>

#include "rx041/bench/bench.h"
#include "rx041/version.h"

int main(int argc, char** argv) {
  CLI::App app{
      "Virtual bench: an emulated RX041 programmer board with two ZQ3902 chips, served on a pseudo-terminal.\n"
      "The first line of output is the device path to open as the board's serial port."};
  app.footer(
      "Control commands on the --control socket, one a line, each answered by ok or error:\n"
      "  angle P DEG            magnet angle of part P in degrees\n"
      "  vdd P VOLTS            supply voltage of part P (0..10)\n"
      "  chip P present|absent  put the chip into position P or take it out\n"
      "  dac P GAIN OFFSET      DAC error of part P (ideal: 1 0)\n"
      "  id P VALUE             identification byte of part P\n"
      "  stuck P ADDR|none      register ADDR of part P ignores writes the board still answers ok\n"
      "  ram P ADDR             the byte a read of register ADDR returns\n"
      "  eeprom P ADDR          the EEPROM byte at ADDR\n"
      "  output P               the output in % of VDD as the ADC sees it\n"
      "  state P                chip, power, mode, OWI session, relay, switch and lock of part P\n"
      "  frames                 the number of frames received\n"
      "  fault [once] KIND      inject KIND into every (or the next) reply: silent, garbage, refuse, hangup,\n"
      "                         delay MS, split N\n"
      "  fault none             clear the fault; fault alone shows it\n"
      "  help                   the list of commands\n"
      "Parts P are 0 (Part#1) and 1 (Part#2).");
  app.set_version_flag("--version", rx041::versionLine("rx041-sim"));
  rx041::bench::BenchOptions options;
  int com = 0;
  std::string control;
  std::string transcript;
  app.add_option("--com", com, "put the bench behind COMN of the port map ($RX041_PORTS)")->check(CLI::Range(1, 16));
  app.add_option("--control", control, "serve the control commands on this Unix-domain socket");
  app.add_option("--transcript", transcript, "write every received frame, with a millisecond timestamp, to this file");
  app.add_flag("--line-rate", options.lineRate, "pace replies at the true 115200-baud rate");
  CLI11_PARSE(app, argc, argv);
  if (com != 0) options.comNumber = com;
  options.controlSocket = control;
  options.transcript = transcript;

  // Block the stop signals before any thread starts, so that only sigwait
  // below receives them and the bench can shut down in order.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  try {
    rx041::bench::Bench bench(options);
    std::cout << bench.devicePath().string() << std::endl;
    int received = 0;
    sigwait(&stopSignals, &received);
  } catch (const std::exception& error) {
    std::cerr << "rx041-sim: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
