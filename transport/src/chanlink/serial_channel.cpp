#include "serial_channel.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

#include "rx041/component/clock.h"
#include "rx041/component/notify.h"
#include "rx041/transport/port_map.h"
#include "rx041/transport/serial_device.h"

namespace rx041::chanlink {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kMaxSendBytes = 100;
// Every close is followed by this quiet time before anything else happens on
// the line; a reconnect therefore gives the board the same pause each time.
constexpr auto kCloseSettleTime = 500ms;
constexpr auto kPauseBeforeSend = 2ms;
// Receive waits this long at most for the first byte, in steps of kReceiveStep,
// so that the command layer above applies its own time limits in small steps.
constexpr auto kReceiveLimit = 250ms;
constexpr auto kReceiveStep = 100ms;
// A far end that stops reading cannot hold the caller's thread longer than this.
constexpr auto kWriteLimit = 1000ms;

// The board expects DTR and RTS inactive. A terminal raises both when it is
// opened; devices without modem lines (pseudo-terminals) refuse the request.
void holdModemLinesInactive(int fd) {
  const int lines = TIOCM_DTR | TIOCM_RTS;
  ::ioctl(fd, TIOCMBIC, &lines);
}

// Text up to its first zero byte, as the automation strings carry it.
std::string_view upToFirstZero(const std::string& text) { return std::string_view(text.c_str()); }

// What stands behind a port that could not be opened.
LineState lineStateAfter(int openError) {
  switch (openError) {
    case EBUSY: return LineState::Busy;
    case ENOTTY:
    case EISDIR:
    case EINVAL: return LineState::NotSerial;
    case EACCES:
    case EPERM:
    case EROFS: return LineState::NoAccess;
    default: return LineState::NoDevice;
  }
}

// One notice for every channel of the process.
void reportTraceFailure(transport::TraceFailure failure) {
  static transport::TraceFailureNotice notice("fail to create log.txt", "fail to write log.txt");
  notice.report(failure);
}

}  // namespace

SerialChannel::SerialChannel() : trace_("log.txt", "w", reportTraceFailure) {}

SerialChannel::~SerialChannel() {
  // A caller that releases the channel while connected still gets its port
  // closed and the reader ended.
  running_ = false;
  stopReaderAndClose();
}

HRESULT SerialChannel::get_BytesInBuffer(std::int32_t* pVal) { return pVal ? com::E_NOTIMPL : com::E_POINTER; }
HRESULT SerialChannel::get_BufferSize(std::int32_t* pVal) { return pVal ? com::E_NOTIMPL : com::E_POINTER; }
HRESULT SerialChannel::put_BufferSize(std::int32_t) { return com::E_NOTIMPL; }
HRESULT SerialChannel::get_Busy(VARIANT_BOOL* pVal) { return pVal ? com::E_NOTIMPL : com::E_POINTER; }
HRESULT SerialChannel::put_Busy(VARIANT_BOOL) { return com::E_NOTIMPL; }

HRESULT SerialChannel::get_Connected(VARIANT_BOOL* pVal) {
  if (!pVal) return com::E_POINTER;
  *pVal = running_ ? com::VARIANT_TRUE : com::VARIANT_FALSE;
  return com::S_OK;
}

HRESULT SerialChannel::put_Connected(VARIANT_BOOL newVal) {
  if (newVal == com::VARIANT_TRUE) {
    connect();
  } else {
    disconnect();
  }
  return com::S_OK;
}

HRESULT SerialChannel::Load(std::shared_ptr<com::IDispatch>) {
  put_Port(COM3);
  return put_Connected(com::VARIANT_TRUE);
}

HRESULT SerialChannel::get_Port(SerialPortNumber* pVal) {
  if (!pVal) return com::E_POINTER;
  *pVal = static_cast<SerialPortNumber>(port_);
  return com::S_OK;
}

HRESULT SerialChannel::put_Port(SerialPortNumber newVal) {
  port_ = static_cast<std::uint8_t>(newVal & 0xFF);
  return com::S_OK;
}

HRESULT SerialChannel::ClearReceiveBuf() {
  buffer_.clear();
  return com::S_OK;
}

std::string SerialChannel::takeReceived() { return buffer_.takeAll(); }

LineState SerialChannel::lineState() const {
  if (!running_) return LineState::Closed;
  return lineLost_ ? LineState::Lost : opened_;
}

HRESULT SerialChannel::Send(const Variant& Data) {
  const std::string* text = Data.stringValue();
  if (!text) {
    com::notifyOperator("Not recognized type by SerialChannel send");
    return com::S_OK;
  }
  const std::string_view command = upToFirstZero(*text);
  trace("SerialChannel Send:", command.data());
  com::fixedWait(kPauseBeforeSend);
  writeToPort(command.substr(0, kMaxSendBytes));
  return com::S_OK;
}

HRESULT SerialChannel::Receive(std::int32_t, std::int32_t, Variant* Data) {
  if (!Data) return com::E_POINTER;
  const auto start = Clock::now();
  for (;;) {
    // Reset before looking, so that a chunk arriving after the look still
    // wakes the wait below.
    dataArrived_.reset();
    if (const std::string received = buffer_.takeAll(); !received.empty()) {
      *Data = std::string(upToFirstZero(received));
      return com::S_OK;
    }
    // Nothing more can come from a line that hung up.
    if (lineLost_) return com::S_OK;
    dataArrived_.waitFor(kReceiveStep);
    if (Clock::now() - start >= kReceiveLimit) return com::S_OK;
  }
}

HRESULT SerialChannel::ReceiveAsync(std::int32_t, std::int32_t, Variant* Data) {
  return Data ? com::S_OK : com::E_POINTER;
}

void SerialChannel::connect() {
  trace("SerialChannel", "Load");
  if (port_ != 0) {
    closePort();
    openPort();
  } else if (!running_) {
    opened_ = LineState::NoDevice;
  }
  if (!running_) {
    running_ = true;
    // No reader runs here, so fd_ needs no lock.
    reader_ = PortReader::start(
        fd_, [this](std::string_view chunk) { onChunk(chunk); }, [this] { onLineLost(); });
  }
}

void SerialChannel::openPort() {
  // An open failure reads connected all the same: sends go nowhere and
  // receives come back empty. lineState() tells what stood in the way.
  const transport::SerialOpenResult opened = transport::openSerialDevice(transport::comPortPath(port_));
  opened_ = opened ? LineState::Open : lineStateAfter(opened.error);
  if (opened) holdModemLinesInactive(opened.fd);
  fd_ = opened.fd;
}

void SerialChannel::disconnect() {
  trace("SerialChannel", "Exit");
  closePort();
}

void SerialChannel::closePort() {
  running_ = false;
  dataArrived_.set();
  stopReaderAndClose();
  lineLost_ = false;
  opened_ = LineState::Closed;
  com::fixedWait(kCloseSettleTime);
}

void SerialChannel::stopReaderAndClose() {
  reader_.reset();
  closeDescriptor();
}

void SerialChannel::closeDescriptor() {
  std::lock_guard lock(portMutex_);
  transport::closeSerialDevice(fd_);
  fd_ = -1;
}

void SerialChannel::onLineLost() {
  lineLost_ = true;
  closeDescriptor();
  dataArrived_.set();
}

void SerialChannel::writeToPort(std::string_view bytes) {
  std::lock_guard lock(portMutex_);
  if (fd_ < 0) return;
  const auto deadline = Clock::now() + kWriteLimit;
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
      continue;
    }
    if (written < 0 && errno != EAGAIN && errno != EINTR) {
      // Only the reader closes the descriptor (it may be waiting on it); it
      // sees the hang-up too.
      lineLost_ = true;
      dataArrived_.set();
      return;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left <= 0ms) return;
    pollfd writable{fd_, POLLOUT, 0};
    ::poll(&writable, 1, static_cast<int>(left.count()));
  }
}

void SerialChannel::onChunk(std::string_view chunk) {
  trace("MakePacket buf", std::string(chunk).c_str());
  buffer_.append(chunk);
  dataArrived_.set();
}

void SerialChannel::trace(const char* label, const char* text) {
  trace_.write("%ld: %s %s\n", transport::traceClock(), label, text);
}

}  // namespace rx041::chanlink
