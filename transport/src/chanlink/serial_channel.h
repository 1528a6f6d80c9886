#pragma once
// SerialChannel: owns one COM port of the port map. A background reader
// collects what arrives into a bounded receive buffer; Send writes text to the
// port and Receive hands the collected bytes back as text.
#include <cstdint>
#include <memory>
#include <string_view>

#include "manual_reset_event.h"
#include "port_reader.h"
#include "receive_buffer.h"
#include "rx041/transport/channel_interfaces.h"
#include "rx041/transport/trace_log.h"

namespace rx041::chanlink {

class SerialChannel final : public ISerialChannel {
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

 private:
  void connect();
  void disconnect();
  // The closing steps that run before every open and on disconnect.
  void closePort();
  void stopReaderAndClose();
  void writeToPort(std::string_view bytes);
  void onChunk(std::string_view chunk);
  void trace(const char* label, const char* text);

  transport::TraceLog trace_;
  ReceiveBuffer buffer_;
  ManualResetEvent dataArrived_;
  // Touched by the caller's thread only; the reader is stopped through its own
  // wake descriptor, not by polling this flag.
  bool running_ = false;
  std::uint8_t port_ = 0;
  int fd_ = -1;
  // Last, so that it is destroyed (joined) before what its thread uses.
  std::unique_ptr<PortReader> reader_;
};

}  // namespace rx041::chanlink
