#include "rx41/quick/main_form_2points.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "rx41/control_names.h"
#include "rx41/curve_plot.h"
#include "rx41/device_messages.h"
#include "rx41/quick/part_settings_panel.h"
#include "rx41/quick/quick_profile.h"

namespace rx41 {
namespace {

const QColor kCurveColour(0, 255, 0);

std::unique_ptr<PreparationTrigger> triggerFor(MainForm2PointsProgramming::PowerButton powerButton) {
  if (powerButton == MainForm2PointsProgramming::PowerButton::Present) return std::make_unique<PrepareAtPowerOn>();
  return std::make_unique<PrepareAtSetpointA>();
}

}  // namespace

MainForm2PointsProgramming::MainForm2PointsProgramming(OperatorInterface& operatorInterface, PowerButton powerButton,
                                                       AppState& state, DeviceFactory deviceFactory)
    : WorkingWindow(powerButton == PowerButton::Present ? QStringLiteral("MainForm2PointsProgrammingWithPwr")
                                                        : QStringLiteral("MainForm2PointsProgramming"),
                    QStringLiteral("RX41 GUI - ZQ3902"), operatorInterface, state, std::move(deviceFactory)),
      trigger_(triggerFor(powerButton)),
      device_(machine(), this) {
  buildControls();
  Form_Load();
}

void MainForm2PointsProgramming::buildControls() {
  QPushButton* connectButton = addConnectButton([this](bool connected) { connectionChanged(connected); });
  PartSel_ = named(new QComboBox(this), QStringLiteral("PartSel"));
  settings_ = new PartSettingsPanel(
      operatorInterface(), [this] { return selectedPart(); }, this);
  bindQuickProfile(profile_, *PartSel_, *settings_);
  auto* top = new QHBoxLayout;
  for (QWidget* control : std::initializer_list<QWidget*>{connectButton, PartSel_, addSaveButton(profile_),
                                                          addLoadButton(profile_), addAboutButton()})
    top->addWidget(control);
  top->addStretch();

  configuration_ =
      std::make_unique<TwoPointConfiguration>(*settings_, device_, calls(), state(), operatorInterface(), this);
  secondPoint_ = std::make_unique<TaughtSecondPoint>(*settings_, calls());
  settings_->partFrameLayout()->addWidget(
      addActionButton(QStringLiteral("GetDP"), QStringLiteral("Get DP Mid Point"), [this] { GetDP_Click(); }), 2, 2);
  auto* teach = new QHBoxLayout;
  if (trigger_->hasPowerButton()) {
    PowerOn_ = addActionButton(QStringLiteral("PowerOn"), QStringLiteral("Power On"), [this] { PowerOn_Click(); });
    teach->addWidget(PowerOn_);
  }
  SetpointA_ =
      addActionButton(QStringLiteral("SetpointA"), QStringLiteral("Set point A"), [this] { SetpointA_Click(); });
  SetpointB_ =
      addActionButton(QStringLiteral("SetpointB"), QStringLiteral("Set point B"), [this] { SetpointB_Click(); });
  teach->addWidget(SetpointA_);
  teach->addWidget(SetpointB_);
  settings_->pointsFrameLayout()->addLayout(teach, 2, 0, 1, 4);

  Picture1_ = named(new CurvePlot(state(), this), QStringLiteral("Picture1"));
  connect(PartSel_, &QComboBox::currentIndexChanged, this, [this] {
    Picture1_->setTraces({{selectedPart(), kCurveColour}});
  });

  // The plot spans the window's width under the settings: its degree scale
  // needs the room.
  auto* settingsRow = new QHBoxLayout;
  settingsRow->addWidget(settings_);
  settingsRow->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(settingsRow);
  layout->addWidget(Picture1_, 1);
}

void MainForm2PointsProgramming::Form_Load() {
  machine().loadWindowState();
  device_.forgetPreparation();
  settings_->validateAtLoad();
  PartSel_->addItems({QStringLiteral("Part#1"), QStringLiteral("Part#2")});
  PartSel_->setCurrentIndex(0);
  setActionButtons({});
}

void MainForm2PointsProgramming::connectionChanged(bool connected) {
  if (connected) device_.forgetPreparation();
  // Without a device object no action may reach for one.
  setActionButtons(connected ? trigger_->ready() : TeachButtons{});
}

void MainForm2PointsProgramming::PowerOn_Click() {
  if (device_.PrepareChip(selectedParts())) setActionButtons({true, false, false});
}

void MainForm2PointsProgramming::SetpointA_Click() {
  const std::int16_t part = selectedPart();
  if (!trigger_->startPointA(device_, selectedParts())) return;
  const auto angle = calls().readAngle(part);
  if (!angle) {
    trigger_->abandonPointA(device_, selectedParts());
    return;
  }
  settings_->teachAngle(0, *angle);
  setActionButtons({false, true, false});
  secondPoint_->afterPointA(part, *angle);
}

void MainForm2PointsProgramming::GetDP_Click() {
  const std::int16_t part = selectedPart();
  if (!device_.EnsureOwiMode(selectedParts())) {
    operatorInterface().message(QLatin1String(device_text::kNotInOwiMode), this);
    return;
  }
  if (const auto angle = calls().readAngle(part)) settings_->setDpOpposite(*angle);
}

void MainForm2PointsProgramming::SetpointB_Click() {
  const std::int16_t part = selectedPart();
  const bool inOwiMode = device_.EnsureOwiMode(selectedParts());
  if (!device_.isPrepared() || !inOwiMode) {
    operatorInterface().message(QLatin1String(device_text::kNotInOwiMode), this);
    return;
  }
  // Without point B the chip stays prepared for another press.
  if (!secondPoint_->takePointB(part)) return;
  configuration_->ConfigureAndProgram(selectedParts());
  device_.PowerOffIfPrepared(selectedParts());
  setActionButtons(trigger_->ready());
  configuration_->buildCurves(selectedParts());
  Picture1_->update();
}

void MainForm2PointsProgramming::setActionButtons(const TeachButtons& buttons) {
  SetpointA_->setEnabled(buttons.setpointA);
  SetpointB_->setEnabled(buttons.setpointB);
  if (PowerOn_) PowerOn_->setEnabled(buttons.powerOn);
}

std::int16_t MainForm2PointsProgramming::selectedPart() const {
  return static_cast<std::int16_t>(std::max(0, PartSel_->currentIndex()));
}

}  // namespace rx41
