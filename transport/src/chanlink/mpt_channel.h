#pragma once
// MPTChannel: the generic channel of the library, published but inert. Every
// member succeeds, does nothing and leaves its outputs alone; its event source
// (OnSendComplete) is never raised.
#include "rx041/transport/channel_interfaces.h"

namespace rx041::chanlink {

class MPTChannel final : public IMPTChannel {
 public:
  HRESULT get_BytesInBuffer(std::int32_t*) override { return com::S_OK; }
  HRESULT get_BufferSize(std::int32_t*) override { return com::S_OK; }
  HRESULT put_BufferSize(std::int32_t) override { return com::S_OK; }
  HRESULT get_Connected(VARIANT_BOOL*) override { return com::S_OK; }
  HRESULT put_Connected(VARIANT_BOOL) override { return com::S_OK; }
  HRESULT get_Busy(VARIANT_BOOL*) override { return com::S_OK; }
  HRESULT put_Busy(VARIANT_BOOL) override { return com::S_OK; }
  HRESULT Send(const Variant&) override { return com::S_OK; }
  HRESULT Receive(std::int32_t, std::int32_t, Variant*) override { return com::S_OK; }
  HRESULT ReceiveAsync(std::int32_t, std::int32_t, Variant*) override { return com::S_OK; }
};

}  // namespace rx041::chanlink
