#pragma once
// CommManager: published with the library for callers that expect it; nothing
// in the system uses it. Every member succeeds and leaves its outputs alone.
#include "rx041/transport/channel_interfaces.h"

namespace rx041::chanlink {

class CommManager final : public ICommManager {
 public:
  HRESULT get_Channels(std::shared_ptr<com::IDispatch>*) override { return com::S_OK; }
  HRESULT get_Devices(std::shared_ptr<com::IDispatch>*) override { return com::S_OK; }
  HRESULT get_Name(std::string*) override { return com::S_OK; }
  HRESULT GetVersion(std::int32_t*, std::int32_t*) override { return com::S_OK; }
  HRESULT GetVersionStr(std::string*) override { return com::S_OK; }
  HRESULT Quit() override { return com::S_OK; }
};

}  // namespace rx041::chanlink
