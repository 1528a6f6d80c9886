// Programming cycles through the quick 2-points window ("/2") against a
// virtual bench running as its own process: Set point A at 40 degrees, Set
// point B at 140 degrees, each cycle. Reads this process's open descriptors,
// threads and resident memory from /proc after the first cycle and after the
// last, and prints them. Exits 1 when an operator message appeared or the
// process grew beyond the bounds below.
//
//   rx41-window-soak COM CONTROL_SOCKET CYCLES     (QT_QPA_PLATFORM=offscreen)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QLineEdit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "rx41/quick/quick_windows.h"
#include "scripted_operator.h"

namespace {

// Growth allowed between the first and the last cycle: descriptors and threads
// not at all, resident memory a little (allocator pages).
constexpr long kMaxResidentGrowthKb = 1024;

struct Sample {
  long descriptors = 0, threads = 0, residentKb = 0;
};

long statusField(const std::string& name) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(name + ":", 0) == 0) return std::stol(line.substr(name.size() + 1));
  return -1;
}

Sample sample() {
  Sample s;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++s.descriptors;
  s.threads = statusField("Threads");
  s.residentKb = statusField("VmRSS");
  return s;
}

// One control command to the bench; false unless it answered "ok".
bool benchControl(const std::string& socketPath, const std::string& command) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  std::string reply;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
    const std::string line = command + "\n";
    if (::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size())) {
      char c = 0;
      while (::read(fd, &c, 1) == 1 && c != '\n') reply += c;
    }
  }
  ::close(fd);
  return reply.rfind("ok", 0) == 0;
}

template <class Control>
Control* control(QWidget& window, const char* name) {
  for (Control* found : window.findChildren<Control*>(QString::fromLatin1(name)))
    if (found->accessibleDescription() == QLatin1String(name)) return found;
  std::fprintf(stderr, "rx41-window-soak: no control %s\n", name);
  std::exit(2);
}

void type(QWidget& window, const char* name, const char* text) {
  auto* field = control<QLineEdit>(window, name);
  field->setText(QString::fromLatin1(text));
  QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(field, &leave);
}

void printRow(const char* measure, long first, long last) {
  std::printf("%-12s %8ld %8ld %+8ld\n", measure, first, last, last - first);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: rx41-window-soak COM CONTROL_SOCKET CYCLES\n");
    return 2;
  }
  const int com = std::atoi(argv[1]);
  const std::string controlSocket = argv[2];
  const int cycles = std::atoi(argv[3]);
  if (com < 1 || cycles < 1) return 2;

  rx041::test::ScriptedOperator op;
  rx41::AppState state;
  const std::unique_ptr<rx41::WorkingWindow> made =
      rx41::findWorkingWindow(rx41::quickWindowEntries(), QStringLiteral("/2"))->make(op, state);
  rx41::WorkingWindow& window = *made;
  op.modalHandlers.push_back([com](QDialog& portWindow) {
    auto* list = control<QComboBox>(portWindow, "Port");
    list->setCurrentIndex(list->findText(QStringLiteral("COM%1").arg(com)));
    control<QAbstractButton>(portWindow, "Connect")->click();
  });
  control<QAbstractButton>(window, "connect")->click();
  type(window, "Level(0)", "10");
  type(window, "Level(1)", "90");

  Sample first;
  QElapsedTimer timer;
  timer.start();
  for (int cycle = 1; cycle <= cycles; ++cycle) {
    const bool turned = benchControl(controlSocket, "angle 0 40");
    control<QAbstractButton>(window, "SetpointA")->click();
    const bool turnedBack = benchControl(controlSocket, "angle 0 140");
    control<QAbstractButton>(window, "SetpointB")->click();
    if (!turned || !turnedBack || !op.messages.isEmpty()) {
      std::fprintf(stderr, "rx41-window-soak: cycle %d failed: %s\n", cycle,
                   qPrintable(turned && turnedBack ? op.messages.join(QStringLiteral(" | "))
                                                   : QStringLiteral("the bench's control socket did not answer")));
      return 1;
    }
    if (cycle == 1) first = sample();
  }
  const Sample last = sample();
  std::printf("%d programming cycles through the window in %lld s\n", cycles, timer.elapsed() / 1000);
  std::printf("%-12s %8s %8s %8s\n", "measure", "cycle 1", "last", "growth");
  printRow("descriptors", first.descriptors, last.descriptors);
  printRow("threads", first.threads, last.threads);
  printRow("rss (kB)", first.residentKb, last.residentKb);
  control<QAbstractButton>(window, "connect")->click();
  if (last.descriptors != first.descriptors || last.threads != first.threads ||
      last.residentKb - first.residentKb > kMaxResidentGrowthKb) {
    std::fprintf(stderr, "rx41-window-soak: grew beyond the bounds (descriptors and threads: none; memory: %ld kB)\n",
                 kMaxResidentGrowthKb);
    return 1;
  }
  std::printf("the window stayed within the bounds\n");
  return 0;
}
