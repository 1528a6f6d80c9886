#include "rx41/quick/quick_windows.h"

#include <memory>

#include "rx41/quick/main_form_2points.h"
#include "rx41/quick/main_form_pair.h"

namespace rx41 {
namespace {

using PowerButton = QuickWindow::PowerButton;
using PointB = MainForm2PointsProgramming::PointB;

template <PowerButton powerButton, PointB pointB>
std::unique_ptr<WorkingWindow> singlePart(const WindowIdentity& identity, OperatorInterface& operatorInterface,
                                          AppState& state, DeviceFactory deviceFactory) {
  return std::make_unique<MainForm2PointsProgramming>(identity, operatorInterface, powerButton, pointB, state,
                                                      std::move(deviceFactory));
}

template <PowerButton powerButton>
std::unique_ptr<WorkingWindow> pair(const WindowIdentity& identity, OperatorInterface& operatorInterface,
                                    AppState& state, DeviceFactory deviceFactory) {
  return std::make_unique<MainForm2PointsProgrammingforDual>(identity, operatorInterface, powerButton, state,
                                                             std::move(deviceFactory));
}

constexpr WorkingWindowEntry kQuickWindows[] = {
    {"/2", "MainForm2PointsProgramming", singlePart<PowerButton::Absent, PointB::Taught>},
    {"/3", "MainForm2PointsProgrammingforDual", pair<PowerButton::Absent>},
    {"/4", "MainForm2PointsProgrammingWithPwr", singlePart<PowerButton::Present, PointB::Taught>},
    {"/5", "MainForm2PointsProgrammingforDualWithPwr", pair<PowerButton::Present>},
    {"/6", "MainForm1PointProgramming", singlePart<PowerButton::Absent, PointB::ByOffsets>},
};

}  // namespace

std::span<const WorkingWindowEntry> quickWindowEntries() { return kQuickWindows; }

}  // namespace rx41
