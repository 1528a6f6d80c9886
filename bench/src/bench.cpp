#include "rx041/bench/bench.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <deque>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>

#include "bench_state.h"
#include "com_link.h"
#include "control_commands.h"
#include "control_socket.h"
#include "line_writer.h"
#include "pseudo_terminal.h"
#include "transcript.h"

namespace rx041::bench {
namespace {

void checkPart(int part) {
  if (part < 0 || part >= Board::kParts) throw std::invalid_argument("part must be 0 or 1");
}

void checkAddress(int address) {
  if (address < 0 || address > 255) throw std::invalid_argument("register address must be 0..255");
}

// An eventfd that becomes readable, for good, when the bench stops: every
// thread of the bench includes it in its waits.
class StopSignal {
 public:
  StopSignal() : fd_(::eventfd(0, EFD_CLOEXEC)) {
    if (fd_ < 0) throw std::runtime_error("cannot create an event descriptor");
  }
  ~StopSignal() { ::close(fd_); }
  StopSignal(const StopSignal&) = delete;
  StopSignal& operator=(const StopSignal&) = delete;
  int fd() const { return fd_; }
  void raise() const {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(fd_, &one, sizeof one);
  }

 private:
  int fd_;
};

}  // namespace

struct Bench::Impl {
  explicit Impl(BenchOptions opts)
      : options(std::move(opts)), line(std::make_unique<PseudoTerminal>()), writer(stop.fd(), options.lineRate) {
    if (!options.transcript.empty()) transcript = std::make_unique<Transcript>(options.transcript);
    if (options.comNumber) comLink = std::make_unique<ComLink>(*options.comNumber, line->slavePath());
    if (!options.controlSocket.empty())
      controlSocket = std::make_unique<ControlSocket>(
          options.controlSocket, [this](const std::string& command) { return control(command); }, stop.fd());
    server = std::thread([this] { serve(); });
  }

  ~Impl() {
    stop.raise();
    server.join();
    controlSocket.reset();
  }

  std::string control(const std::string& command) {
    std::lock_guard lock(mutex);
    return runControlCommand(state, command);
  }

  void serve();
  void handleFrame(const std::string& text, int master);
  // Puts out the held replies that are due; false when the bench is stopping.
  bool sendDueReplies(int master);
  // Milliseconds until the next held reply is due, or -1 without one.
  int msUntilNextDue() const;
  void replaceLine();

  BenchOptions options;
  StopSignal stop;
  mutable std::mutex mutex;  // guards state and line
  BenchState state;
  std::unique_ptr<PseudoTerminal> line;
  std::unique_ptr<Transcript> transcript;
  std::unique_ptr<ComLink> comLink;
  std::unique_ptr<ControlSocket> controlSocket;
  LineWriter writer;
  FrameAssembler assembler;
  bool lineDropped = false;  // set by a hangup, read by the serving thread only
  // Delayed replies, in the order they fall due (serving thread only). A
  // board that is late with one reply still answers the frames after it.
  struct HeldReply {
    std::chrono::steady_clock::time_point due;
    Delivery delivery;
  };
  std::deque<HeldReply> held;
  std::thread server;
};

void Bench::Impl::serve() {
  // Only this thread replaces the line, so it may use the master without the lock.
  for (;;) {
    const int master = line->master();
    pollfd fds[3] = {{stop.fd(), POLLIN, 0}, {master, POLLIN, 0}, {line->closeWatch(), POLLIN, 0}};
    if (::poll(fds, 3, msUntilNextDue()) < 0 && errno != EINTR) return;
    if (fds[0].revents) return;
    if (!sendDueReplies(master)) return;
    if (fds[2].revents) line->clientClosed();
    if (!(fds[1].revents & POLLIN)) {
      // A master without data but with an event (hang-up while the line is
      // being set up): wait a little instead of spinning.
      if (fds[1].revents && !writer.pause(std::chrono::milliseconds(10))) return;
      continue;
    }
    char buffer[512];
    const ssize_t n = ::read(master, buffer, sizeof buffer);
    if (n <= 0) continue;
    for (const std::string& frame : assembler.feed({buffer, static_cast<std::size_t>(n)})) {
      handleFrame(frame, master);
      if (lineDropped || ::poll(fds, 1, 0) > 0) break;
    }
    if (lineDropped) {
      lineDropped = false;
      replaceLine();
    }
  }
}

void Bench::Impl::handleFrame(const std::string& text, int master) {
  Delivery delivery;
  {
    std::lock_guard lock(mutex);
    state.recordFrame(text);
    if (transcript) transcript->record(text);
    const auto frame = parseFrame(text);
    if (!frame) return;  // a board ignores what it cannot parse
    const bool refuse = state.faults.refuses(*frame);
    const auto reply = state.board.handle(*frame, refuse);
    if (!reply) return;
    delivery = state.faults.deliver(*frame, *reply);
  }
  if (delivery.hangup) {
    lineDropped = true;
  } else if (delivery.delay.count() > 0) {
    const auto due = std::chrono::steady_clock::now() + delivery.delay;
    delivery.delay = {};
    const auto later = std::upper_bound(held.begin(), held.end(), due,
                                        [](auto time, const HeldReply& reply) { return time < reply.due; });
    held.insert(later, {due, std::move(delivery)});
  } else {
    writer.send(master, delivery);
  }
}

bool Bench::Impl::sendDueReplies(int master) {
  while (!held.empty() && held.front().due <= std::chrono::steady_clock::now()) {
    const Delivery delivery = std::move(held.front().delivery);
    held.pop_front();
    if (!writer.send(master, delivery)) return false;
  }
  return true;
}

int Bench::Impl::msUntilNextDue() const {
  if (held.empty()) return -1;
  const auto left = held.front().due - std::chrono::steady_clock::now();
  // Rounded up, so that the wake-up finds the reply due.
  return static_cast<int>(std::max<std::int64_t>(0, std::chrono::ceil<std::chrono::milliseconds>(left).count()));
}

void Bench::Impl::replaceLine() {
  // The line drops (the client sees a hang-up) and comes back as a new
  // device, as a USB adapter does when it is replugged; the COM link follows.
  auto fresh = std::make_unique<PseudoTerminal>();
  std::unique_ptr<PseudoTerminal> old;
  {
    std::lock_guard lock(mutex);
    old = std::exchange(line, std::move(fresh));
    if (comLink) comLink->retarget(line->slavePath());
  }
  assembler = FrameAssembler{};
  held.clear();  // replies for the line that dropped
}

Bench::Bench(BenchOptions options) : impl_(std::make_unique<Impl>(std::move(options))) {}

Bench::~Bench() = default;

std::filesystem::path Bench::devicePath() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->line->slavePath();
}

std::string Bench::control(const std::string& commandLine) { return impl_->control(commandLine); }

void Bench::setAngle(int part, double degrees) {
  checkPart(part);
  std::lock_guard lock(impl_->mutex);
  impl_->state.board.setAngle(part, degrees);
}

void Bench::setVdd(int part, double volts) {
  checkPart(part);
  std::lock_guard lock(impl_->mutex);
  impl_->state.board.setVdd(part, volts);
}

void Bench::setPresent(int part, bool present) {
  checkPart(part);
  std::lock_guard lock(impl_->mutex);
  impl_->state.board.setPresent(part, present);
}

void Bench::setDac(int part, double gain, double offsetPercent) {
  checkPart(part);
  std::lock_guard lock(impl_->mutex);
  impl_->state.board.setDacError(part, gain, offsetPercent);
}

void Bench::setId(int part, int value) {
  checkPart(part);
  std::lock_guard lock(impl_->mutex);
  impl_->state.board.setId(part, value);
}

int Bench::ram(int part, int address) const {
  checkPart(part);
  checkAddress(address);
  std::lock_guard lock(impl_->mutex);
  return impl_->state.board.position(part).chip.read(address);
}

int Bench::eeprom(int part, int address) const {
  checkPart(part);
  checkAddress(address);
  std::lock_guard lock(impl_->mutex);
  return impl_->state.board.position(part).chip.eepromByte(address);
}

double Bench::output(int part) const {
  checkPart(part);
  std::lock_guard lock(impl_->mutex);
  return impl_->state.board.analogOutputPercent(part);
}

std::vector<std::string> Bench::frames() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->state.frames;
}

}  // namespace rx041::bench
