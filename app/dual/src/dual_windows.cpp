#include "rx41/dual/dual_windows.h"

#include <memory>

#include "rx41/dual/main_form_2parts.h"

namespace rx41 {
namespace {

template <Sources sources>
std::unique_ptr<WorkingWindow> dualParts(const WindowIdentity& identity, OperatorInterface& operatorInterface,
                                         AppState& state, DeviceFactory deviceFactory) {
  return std::make_unique<MainForm2Parts2Src>(identity, operatorInterface, sources, state, std::move(deviceFactory));
}

constexpr WorkingWindowEntry kDualWindows[] = {
    {"/0", "MainForm2Parts1Src", dualParts<Sources::Single>},
    {"/1", "MainForm2Parts2Src", dualParts<Sources::Dual>},
};

}  // namespace

std::span<const WorkingWindowEntry> dualWindowEntries() { return kDualWindows; }

}  // namespace rx41
