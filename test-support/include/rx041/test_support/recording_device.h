#pragma once
// A stand-in for the device library's device object (with its solver and
// advanced objects) that records every operation with its in-arguments and
// answers from configurable values. For tests of the application's windows and
// state machine; no programmer needed.
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "rx041/device/device_interfaces.h"
#include "rx041/device/written_image.h"

namespace rx041::test {

struct RecordedCall {
  std::string member;              // "Customized_PowerOn"
  std::vector<com::Variant> args;  // the in-arguments, in order
  // "Customized_PowerOn(0)", "SetSolverSetting(0, 4, 20.5, 1)"
  std::string text() const;
};

// The call log and the answers, shared by the device object and the solver and
// advanced objects it hands out.
class DeviceScript {
 public:
  std::vector<RecordedCall> calls;
  // Runs inside each call, once it is recorded: what the caller does while
  // the device works on a request.
  std::function<void(const RecordedCall& call)> onCall;

  // The result of a member (its pVal out-argument, or the measured value of
  // Measure, MeasureVdd and GetAngle): values queued with answerOnce first,
  // in order, then the standing value set with answer, else 0.
  void answer(const std::string& member, double value);
  void answerOnce(const std::string& member, std::initializer_list<double> values);
  // The status the member's call itself returns (default S_OK).
  void fail(const std::string& member, com::HRESULT status);

  // What the device reports as last written to Part#1 and Part#2 (nothing
  // unless a test sets it; the recording device writes no chip).
  zq3902::WrittenImage written[2];

  // DAC_calibration's gains and offsets, ProgrammerVersion's numbers.
  float dac[4] = {};             // K0, B0, K1, B1
  std::int32_t version[3] = {};  // major, minor, build

  // The texts of all calls, or of the calls of one member, in order.
  std::vector<std::string> callTexts() const;
  std::vector<std::string> callTexts(const std::string& member) const;

  // Records the call; returns its status and, in result, its answer.
  com::HRESULT record(const std::string& member, std::vector<com::Variant> args, double* result = nullptr);

 private:
  std::map<std::string, double> standing_;
  std::map<std::string, std::deque<double>> queued_;
  std::map<std::string, com::HRESULT> statuses_;
};

class RecordingDevice final : public zq3902::IZQ3902Device, public zq3902::IZQ3902WrittenImage {
 public:
  RecordingDevice();

  DeviceScript& script() { return *script_; }
  const DeviceScript& script() const { return *script_; }

  com::HRESULT ConnectChannel(const com::Variant& Param, std::int32_t* pVal) override;
  com::HRESULT Destroy(com::VARIANT_BOOL Flag) override;
  com::HRESULT ProgramDevice(std::int32_t ChipIndex, std::int32_t* pVal) override;
  com::HRESULT Measure(std::int32_t ChipIndex, zq3902::MeasureTypes paramType, float* pVal) override;
  com::HRESULT MeasureVdd(std::int32_t ChipIndex, float* pVal) override;
  com::HRESULT get_Advanced(std::shared_ptr<zq3902::IZQ3902Advanced>* pVal) override;
  com::HRESULT GetAngle(std::int32_t ChipIndex, float* pfAngle) override;
  com::HRESULT get_Solver(std::shared_ptr<zq3902::IZQ3902Solver>* pVal) override;
  com::HRESULT Customized_EnterOWI(std::int32_t ChipIndex, std::int32_t* pVal) override;
  com::HRESULT Customized_QuitOWI(std::int32_t ChipIndex, std::int32_t* pVal) override;
  com::HRESULT Customized_PowerOn(std::int32_t ChipIndex, std::int32_t* pVal) override;
  com::HRESULT Customized_Mode0V(std::int32_t ChipIndex, std::int32_t* pVal) override;
  com::HRESULT Customized_PowerOff(std::int32_t ChipIndex, std::int32_t* pVal) override;
  com::HRESULT Customized_SetADCMode(std::int32_t ChipIndex, std::int32_t* pVal) override;
  com::HRESULT DAC_calibration(std::int32_t ChipIndex, float* SysOsK0, float* SysOsB0, float* SysOsK1, float* SysOsB1,
                               std::int32_t* pVal) override;
  com::HRESULT ProgrammerVersion(std::int32_t* major, std::int32_t* minor, std::int32_t* build,
                                 std::int32_t* pVal) override;
  com::HRESULT PWM_mode(std::int32_t ChipIndex, std::int32_t OutMode, std::int32_t PWMFreq, std::int32_t PWMPolarity,
                        std::int32_t* pVal) override;
  zq3902::WrittenImage lastWrittenImage(std::int32_t ChipIndex) const override;

 private:
  com::HRESULT chipCall(const char* member, std::int32_t chip, std::int32_t* pVal);

  std::shared_ptr<DeviceScript> script_;
  std::shared_ptr<zq3902::IZQ3902Solver> solver_;
  std::shared_ptr<zq3902::IZQ3902Advanced> advanced_;
};

}  // namespace rx041::test
