#include "rx041/test_support/recording_device.h"

namespace rx041::test {

using com::HRESULT;
using com::S_OK;
using com::Variant;

std::string RecordedCall::text() const {
  std::string out = member + "(";
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i) out += ", ";
    out += args[i].toString().value_or("?");
  }
  return out + ")";
}

void DeviceScript::answer(const std::string& member, double value) { standing_[member] = value; }

void DeviceScript::answerOnce(const std::string& member, std::initializer_list<double> values) {
  auto& queue = queued_[member];
  queue.insert(queue.end(), values.begin(), values.end());
}

void DeviceScript::fail(const std::string& member, HRESULT status) { statuses_[member] = status; }

std::vector<std::string> DeviceScript::callTexts() const {
  std::vector<std::string> texts;
  for (const auto& call : calls) texts.push_back(call.text());
  return texts;
}

std::vector<std::string> DeviceScript::callTexts(const std::string& member) const {
  std::vector<std::string> texts;
  for (const auto& call : calls)
    if (call.member == member) texts.push_back(call.text());
  return texts;
}

HRESULT DeviceScript::record(const std::string& member, std::vector<Variant> args, double* result) {
  calls.push_back({member, std::move(args)});
  // A copy: calls made from within the hook grow the log.
  if (onCall) onCall(RecordedCall(calls.back()));
  if (result) {
    auto queue = queued_.find(member);
    if (queue != queued_.end() && !queue->second.empty()) {
      *result = queue->second.front();
      queue->second.pop_front();
    } else {
      auto standing = standing_.find(member);
      *result = standing != standing_.end() ? standing->second : 0.0;
    }
  }
  auto status = statuses_.find(member);
  return status != statuses_.end() ? status->second : S_OK;
}

namespace {

HRESULT recordInt(DeviceScript& script, const std::string& member, std::vector<Variant> args, std::int32_t* pVal) {
  double value = 0;
  const HRESULT hr = script.record(member, std::move(args), &value);
  if (pVal) *pVal = static_cast<std::int32_t>(value);
  return hr;
}

HRESULT recordFloat(DeviceScript& script, const std::string& member, std::vector<Variant> args, float* pVal) {
  double value = 0;
  const HRESULT hr = script.record(member, std::move(args), &value);
  if (pVal) *pVal = static_cast<float>(value);
  return hr;
}

class RecordingSolver final : public zq3902::IZQ3902Solver {
 public:
  explicit RecordingSolver(std::shared_ptr<DeviceScript> script) : script_(std::move(script)) {}
  HRESULT Commlock(std::int32_t ChipIndex, std::int32_t* pVal) override {
    return recordInt(*script_, "Commlock", {ChipIndex}, pVal);
  }
  HRESULT CopySolverSettingsToParameters(std::int32_t ChipIndex, std::int32_t* pVal) override {
    return recordInt(*script_, "CopySolverSettingsToParameters", {ChipIndex}, pVal);
  }
  HRESULT ClearSolverSettings(std::int32_t ChipIndex, std::int32_t* pVal) override {
    return recordInt(*script_, "ClearSolverSettings", {ChipIndex}, pVal);
  }

 private:
  std::shared_ptr<DeviceScript> script_;
};

class RecordingAdvanced final : public zq3902::IZQ3902Advanced {
 public:
  explicit RecordingAdvanced(std::shared_ptr<DeviceScript> script) : script_(std::move(script)) {}
  HRESULT MemWrite(std::int32_t ChipIndex, std::int32_t Addr, std::int32_t Data) override {
    return script_->record("MemWrite", {ChipIndex, Addr, Data});
  }
  HRESULT MemRead(std::int32_t ChipIndex, std::int32_t Addr, std::int32_t* pData) override {
    return recordInt(*script_, "MemRead", {ChipIndex, Addr}, pData);
  }
  HRESULT SetSolverSetting(std::int32_t ChipIndex, zq3902::SolverSettingCodes settingID, const Variant& Value,
                           std::int32_t bOffset, std::int32_t* pVal) override {
    return recordInt(*script_, "SetSolverSetting", {ChipIndex, static_cast<std::int32_t>(settingID), Value, bOffset},
                     pVal);
  }
  HRESULT get_ChipVersion(std::int32_t ChipIndex, std::int32_t* pVal) override {
    return recordInt(*script_, "ChipVersion", {ChipIndex}, pVal);
  }

 private:
  std::shared_ptr<DeviceScript> script_;
};

}  // namespace

RecordingDevice::RecordingDevice()
    : script_(std::make_shared<DeviceScript>()),
      solver_(std::make_shared<RecordingSolver>(script_)),
      advanced_(std::make_shared<RecordingAdvanced>(script_)) {}

HRESULT RecordingDevice::chipCall(const char* member, std::int32_t chip, std::int32_t* pVal) {
  return recordInt(*script_, member, {chip}, pVal);
}

HRESULT RecordingDevice::ConnectChannel(const Variant& Param, std::int32_t* pVal) {
  return recordInt(*script_, "ConnectChannel", {Param}, pVal);
}

HRESULT RecordingDevice::Destroy(com::VARIANT_BOOL Flag) {
  return script_->record("Destroy", {com::VariantBool{Flag}});
}

HRESULT RecordingDevice::ProgramDevice(std::int32_t ChipIndex, std::int32_t* pVal) {
  return chipCall("ProgramDevice", ChipIndex, pVal);
}

HRESULT RecordingDevice::Measure(std::int32_t ChipIndex, zq3902::MeasureTypes paramType, float* pVal) {
  return recordFloat(*script_, "Measure", {ChipIndex, static_cast<std::int32_t>(paramType)}, pVal);
}

HRESULT RecordingDevice::MeasureVdd(std::int32_t ChipIndex, float* pVal) {
  return recordFloat(*script_, "MeasureVdd", {ChipIndex}, pVal);
}

HRESULT RecordingDevice::get_Advanced(std::shared_ptr<zq3902::IZQ3902Advanced>* pVal) {
  if (!pVal) return com::E_POINTER;
  *pVal = advanced_;
  return S_OK;
}

HRESULT RecordingDevice::GetAngle(std::int32_t ChipIndex, float* pfAngle) {
  return recordFloat(*script_, "GetAngle", {ChipIndex}, pfAngle);
}

HRESULT RecordingDevice::get_Solver(std::shared_ptr<zq3902::IZQ3902Solver>* pVal) {
  if (!pVal) return com::E_POINTER;
  *pVal = solver_;
  return S_OK;
}

HRESULT RecordingDevice::Customized_EnterOWI(std::int32_t ChipIndex, std::int32_t* pVal) {
  return chipCall("Customized_EnterOWI", ChipIndex, pVal);
}

HRESULT RecordingDevice::Customized_QuitOWI(std::int32_t ChipIndex, std::int32_t* pVal) {
  return chipCall("Customized_QuitOWI", ChipIndex, pVal);
}

HRESULT RecordingDevice::Customized_PowerOn(std::int32_t ChipIndex, std::int32_t* pVal) {
  return chipCall("Customized_PowerOn", ChipIndex, pVal);
}

HRESULT RecordingDevice::Customized_Mode0V(std::int32_t ChipIndex, std::int32_t* pVal) {
  return chipCall("Customized_Mode0V", ChipIndex, pVal);
}

HRESULT RecordingDevice::Customized_PowerOff(std::int32_t ChipIndex, std::int32_t* pVal) {
  return chipCall("Customized_PowerOff", ChipIndex, pVal);
}

HRESULT RecordingDevice::Customized_SetADCMode(std::int32_t ChipIndex, std::int32_t* pVal) {
  return chipCall("Customized_SetADCMode", ChipIndex, pVal);
}

HRESULT RecordingDevice::DAC_calibration(std::int32_t ChipIndex, float* SysOsK0, float* SysOsB0, float* SysOsK1,
                                         float* SysOsB1, std::int32_t* pVal) {
  float* outputs[4] = {SysOsK0, SysOsB0, SysOsK1, SysOsB1};
  for (int i = 0; i < 4; ++i)
    if (outputs[i]) *outputs[i] = script_->dac[i];
  return chipCall("DAC_calibration", ChipIndex, pVal);
}

HRESULT RecordingDevice::ProgrammerVersion(std::int32_t* major, std::int32_t* minor, std::int32_t* build,
                                           std::int32_t* pVal) {
  std::int32_t* outputs[3] = {major, minor, build};
  for (int i = 0; i < 3; ++i)
    if (outputs[i]) *outputs[i] = script_->version[i];
  return recordInt(*script_, "ProgrammerVersion", {}, pVal);
}

HRESULT RecordingDevice::PWM_mode(std::int32_t ChipIndex, std::int32_t OutMode, std::int32_t PWMFreq,
                                  std::int32_t PWMPolarity, std::int32_t* pVal) {
  return recordInt(*script_, "PWM_mode", {ChipIndex, OutMode, PWMFreq, PWMPolarity}, pVal);
}

zq3902::WrittenImage RecordingDevice::lastWrittenImage(std::int32_t ChipIndex) const {
  return script_->written[ChipIndex == 0 ? 0 : 1];
}

}  // namespace rx041::test
