// Test server library: one class, "Fixture.Counter".
#include "fixture_interface.h"
#include "rx041/component/server.h"

namespace fixture {
namespace {

ServerLifetime lifetime;

class Counter final : public ICounter {
 public:
  HRESULT get_Value(std::int32_t* pVal) override {
    if (!pVal) return E_POINTER;
    *pVal = value_;
    return S_OK;
  }
  HRESULT put_Value(std::int32_t value) override {
    value_ = value;
    return S_OK;
  }
  HRESULT Add(std::int16_t amount, float scale, std::int32_t* pTotal) override {
    value_ += static_cast<std::int32_t>(amount * scale);
    *pTotal = value_;
    return S_OK;
  }
  HRESULT Describe(const Variant& data, std::string* pText) override {
    *pText = varTypeName(data.type());
    return S_OK;
  }

 private:
  std::int32_t value_ = 0;
};

const ClassInfo classes[] = {
    {"Counter", "Counter Class", "{6F1C55A0-2B7E-4C55-9A43-0C1D2E3F4A01}",
     [] { return std::shared_ptr<Unknown>(lifetime.make<Counter>()); }},
};

const ServerInfo server{
    "Fixture",
    "Fixture Module",
    "1.0.0.1",
    "Fixture 1.0 Type Library",
    "{6F1C55A0-2B7E-4C55-9A43-0C1D2E3F4A00}",
    classes,
    [] { return lifetime.canUnloadNow(); },
    [](bool lock) { lifetime.lock(lock); },
};

}  // namespace
}  // namespace fixture

RX041_SERVER_ENTRY { return &fixture::server; }
