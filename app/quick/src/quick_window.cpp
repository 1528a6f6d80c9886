#include "rx41/quick/quick_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "rx41/core/curve_plot.h"
#include "rx41/core/wait_form.h"
#include "rx41/display/frm_output_check.h"
#include "rx41/operator/control_names.h"
#include "rx41/quick/quick_settings_panel.h"
#include "rx41/rules/device_texts.h"

namespace rx41 {
namespace {

std::unique_ptr<PreparationTrigger> triggerFor(QuickWindow::PowerButton powerButton) {
  if (powerButton == QuickWindow::PowerButton::Present) return std::make_unique<PrepareAtPowerOn>();
  return std::make_unique<PrepareAtSetpointA>();
}

}  // namespace

QuickWindow::QuickWindow(const WindowIdentity& identity, PowerButton powerButton, OperatorInterface& operatorInterface,
                         AppState& state, DeviceFactory deviceFactory)
    : WorkingWindow(identity, QStringLiteral("RX41 GUI - ZQ3902"), operatorInterface, state, std::move(deviceFactory)),
      trigger_(triggerFor(powerButton)),
      device_(machine(), this) {}

void QuickWindow::setTeachSettings(QuickSettingsPanel& settings, std::unique_ptr<SecondPoint> secondPoint) {
  settings_ = &settings;
  secondPoint_ = std::move(secondPoint);
  configuration_ =
      std::make_unique<TwoPointConfiguration>(settings, device_, calls(), state(), operatorInterface(), this);
}

QPushButton* QuickWindow::addConnect() {
  return addConnectButton([this](bool connected) { connectionChanged(connected); });
}

QPushButton* QuickWindow::addGetDpButton(const QString& caption) {
  return addActionButton(QStringLiteral("GetDP"), caption, [this] { GetDP_Click(); });
}

QHBoxLayout* QuickWindow::addTeachButtons(const QString& setpointBCaption) {
  auto* row = new QHBoxLayout;
  if (trigger_->hasPowerButton()) {
    PowerOn_ = addActionButton(QStringLiteral("PowerOn"), QStringLiteral("Power On"), [this] { PowerOn_Click(); });
    row->addWidget(PowerOn_);
  }
  SetpointA_ =
      addActionButton(QStringLiteral("SetpointA"), QStringLiteral("Set point A"), [this] { SetpointA_Click(); });
  SetpointB_ = addActionButton(QStringLiteral("SetpointB"), setpointBCaption, [this] { SetpointB_Click(); });
  row->addWidget(SetpointA_);
  row->addWidget(SetpointB_);
  return row;
}

CurvePlot* QuickWindow::addCurvePlot() {
  Picture1_ = named(new CurvePlot(state(), this), QStringLiteral("Picture1"));
  return Picture1_;
}

QHBoxLayout* QuickWindow::besideCheckOutput(CurvePlot* plot) {
  CheckOutput_ =
      addActionButton(QStringLiteral("CheckOutput"), QStringLiteral("Check Output"), [this] { CheckOutput_Click(); });
  auto* column = new QVBoxLayout;
  column->addWidget(CheckOutput_);
  column->addStretch();
  auto* row = new QHBoxLayout;
  row->addWidget(plot, 1);
  row->addLayout(column);
  return row;
}

void QuickWindow::Form_Load() {
  machine().loadWindowState();
  device_.forgetPreparation();
  settings_->validateAtLoad();
  setActionButtons({});
}

void QuickWindow::connectionChanged(bool connected) {
  if (connected) device_.forgetPreparation();
  // Without a device object no action may reach for one.
  setActionButtons(connected ? trigger_->ready() : TeachButtons{});
}

void QuickWindow::PowerOn_Click() {
  if (device_.PrepareChip(workParts())) setActionButtons({true, false, false});
}

void QuickWindow::SetpointA_Click() {
  const PartSet parts = workParts();
  if (!trigger_->startPointA(device_, parts)) return;
  WaitNotice wait(this, QLatin1String(device_text::kWaitReadingAngle));
  for (const std::int16_t part : parts.parts()) {
    const auto angle = calls().readAngle(part);
    if (!angle) {
      trigger_->abandonPointA(device_, parts);
      return;
    }
    settings_->teachAngle(part, 0, *angle);
    secondPoint_->afterPointA(part, *angle);
  }
  setActionButtons({false, true, false});
}

void QuickWindow::GetDP_Click() {
  const PartSet parts = workParts();
  WaitNotice wait(this, QLatin1String(device_text::kWaitReadingAngle));
  if (!device_.EnsureOwiMode(parts)) {
    notInOwiMode();
    return;
  }
  for (const std::int16_t part : parts.parts()) {
    const auto angle = calls().readAngle(part);
    if (!angle) return;
    settings_->setDpOpposite(part, *angle);
  }
}

void QuickWindow::SetpointB_Click() {
  const PartSet parts = workParts();
  {
    WaitNotice wait(this, QLatin1String(device_text::kWaitReadingAngle));
    const bool inOwiMode = device_.EnsureOwiMode(parts);
    if (!device_.isPrepared() || !inOwiMode) {
      notInOwiMode();
      return;
    }
    // Without point B the chips stay prepared for another press.
    for (const std::int16_t part : parts.parts())
      if (!secondPoint_->takePointB(part)) return;
  }
  configuration_->ConfigureAndProgram(parts);
  device_.PowerOffIfPrepared(parts);
  setActionButtons(trigger_->ready());
  configuration_->buildCurves(parts);
  Picture1_->update();
}

void QuickWindow::CheckOutput_Click() {
  frmOutputCheck::Expectations expected{device_.programmedSettings(0), device_.programmedSettings(1)};
  // A preparation since cleared what was programmed.
  if (!expected[0] && !expected[1]) {
    CheckOutput_->setEnabled(false);
    return;
  }
  frmOutputCheck check(operatorInterface(), state(), this);
  check.Init(workParts().first(), expected, calls().window());
  operatorInterface().runModal(check);
}

void QuickWindow::setActionButtons(const TeachButtons& buttons) {
  SetpointA_->setEnabled(buttons.setpointA);
  SetpointB_->setEnabled(buttons.setpointB);
  if (PowerOn_) PowerOn_->setEnabled(buttons.powerOn);
  if (CheckOutput_) CheckOutput_->setEnabled(device_.programmedSettings(0) || device_.programmedSettings(1));
}

void QuickWindow::notInOwiMode() { operatorInterface().message(QLatin1String(device_text::kNotInOwiMode), this); }

}  // namespace rx41
