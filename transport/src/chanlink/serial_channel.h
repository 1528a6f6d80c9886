#pragma once
// SerialChannel: owns one COM port of the port map. A background reader
// collects what arrives into a bounded receive buffer; Send writes text to the
// port and Receive hands the collected bytes back as text. A port that hangs
// up is closed at once; the channel then reads LineState::Lost until it is
// disconnected or connected again.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>

#include "manual_reset_event.h"
#include "port_reader.h"
#include "receive_buffer.h"
#include "rx041/transport/channel_interfaces.h"
#include "rx041/transport/trace_log.h"

namespace rx041::chanlink {

class SerialChannel final : public ISerialChannel, public ISerialLine, public IReceivedText {
 public:
  SerialChannel();
  ~SerialChannel() override;
  SerialChannel(const SerialChannel&) = delete;
  SerialChannel& operator=(const SerialChannel&) = delete;

  HRESULT get_BytesInBuffer(std::int32_t* pVal) override;
  HRESULT get_BufferSize(std::int32_t* pVal) override;
  HRESULT put_BufferSize(std::int32_t newVal) override;
  HRESULT get_Connected(VARIANT_BOOL* pVal) override;
  HRESULT put_Connected(VARIANT_BOOL newVal) override;
  HRESULT get_Busy(VARIANT_BOOL* pVal) override;
  HRESULT put_Busy(VARIANT_BOOL newVal) override;
  HRESULT Send(const Variant& Data) override;
  HRESULT Receive(std::int32_t NrBytes, std::int32_t ResponseTimeout, Variant* Data) override;
  HRESULT ReceiveAsync(std::int32_t NrBytes, std::int32_t ResponseTimeout, Variant* Data) override;
  HRESULT Load(std::shared_ptr<com::IDispatch> pStorage) override;
  HRESULT get_Port(SerialPortNumber* pVal) override;
  HRESULT put_Port(SerialPortNumber newVal) override;
  HRESULT ClearReceiveBuf() override;

  LineState lineState() const override;
  std::string takeReceived() override;

 private:
  void connect();
  void disconnect();
  // The closing steps that run before every open and on disconnect.
  void closePort();
  // Opens the port of the port map while no reader runs.
  void openPort();
  void stopReaderAndClose();
  void writeToPort(std::string_view bytes);
  void onChunk(std::string_view chunk);
  // The line hung up or failed: its descriptor is closed at once, from
  // whichever thread noticed, so that a replugged adapter is not held.
  void onLineLost();
  void closeDescriptor();
  void trace(const char* label, const char* text);

  transport::TraceLog trace_;
  ReceiveBuffer buffer_;
  ManualResetEvent dataArrived_;
  // Touched by the caller's thread only; the reader is stopped through its own
  // wake descriptor, not by polling this flag.
  bool running_ = false;
  std::uint8_t port_ = 0;
  // What the last connect found behind the port (caller's thread only).
  LineState opened_ = LineState::Closed;
  std::atomic<bool> lineLost_{false};
  // Guards fd_: the caller's thread writes to it, the reader closes it on a hang-up.
  std::mutex portMutex_;
  int fd_ = -1;
  // Last, so that it is destroyed (joined) before what its thread uses.
  std::unique_ptr<PortReader> reader_;
};

}  // namespace rx041::chanlink
