#include "rx41/quick/main_form_2points.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

#include "rx41/about_form.h"
#include "rx41/control_names.h"
#include "rx41/quick/curve_plot.h"
#include "rx41/quick/part_settings_panel.h"
#include "rx41/quick/quick_profile.h"

namespace rx41 {
namespace {

const QColor kCurveColour(0, 255, 0);

}  // namespace

MainForm2PointsProgramming::MainForm2PointsProgramming(OperatorInterface& operatorInterface, PowerButton powerButton,
                                                       AppState& state, DeviceFactory deviceFactory)
    : operator_(operatorInterface),
      state_(state),
      powerButton_(powerButton),
      machine_(state, operatorInterface),
      connection_(machine_, std::move(deviceFactory)),
      device_(machine_, this) {
  setControlName(*this, withPowerButton() ? QStringLiteral("MainForm2PointsProgrammingWithPwr")
                                          : QStringLiteral("MainForm2PointsProgramming"));
  setWindowTitle(QStringLiteral("RX41 GUI - ZQ3902"));
  buildControls();
  Form_Load();
}

QPushButton* MainForm2PointsProgramming::addButton(const QString& name, const QString& caption,
                                                   void (MainForm2PointsProgramming::*handler)()) {
  auto* button = named(new QPushButton(caption, this), name);
  connect(button, &QPushButton::clicked, this, [this, handler] { runFlow(handler); });
  return button;
}

void MainForm2PointsProgramming::buildControls() {
  connect_ =
      addButton(QStringLiteral("connect"), QStringLiteral("Connect"), &MainForm2PointsProgramming::connect_Click);
  PartSel_ = named(new QComboBox(this), QStringLiteral("PartSel"));
  auto* mSaveAs =
      addButton(QStringLiteral("mSaveAs"), QStringLiteral("Save Settings"), &MainForm2PointsProgramming::mSaveAs_Click);
  auto* mOpen =
      addButton(QStringLiteral("mOpen"), QStringLiteral("Load Settings"), &MainForm2PointsProgramming::mOpen_Click);
  auto* btnAbout =
      addButton(QStringLiteral("btnAbout"), QStringLiteral("About"), &MainForm2PointsProgramming::btnAbout_Click);
  auto* top = new QHBoxLayout;
  for (QWidget* control : std::initializer_list<QWidget*>{connect_, PartSel_, mSaveAs, mOpen, btnAbout})
    top->addWidget(control);
  top->addStretch();

  settings_ = new PartSettingsPanel(
      operator_, [this] { return selectedPart(); }, this);
  configuration_ = std::make_unique<TwoPointConfiguration>(*settings_, device_, state_, operator_, this);
  auto* GetDP =
      addButton(QStringLiteral("GetDP"), QStringLiteral("Get DP Mid Point"), &MainForm2PointsProgramming::GetDP_Click);
  settings_->partFrameLayout()->addWidget(GetDP, 2, 2);
  auto* teach = new QHBoxLayout;
  if (withPowerButton()) {
    PowerOn_ =
        addButton(QStringLiteral("PowerOn"), QStringLiteral("Power On"), &MainForm2PointsProgramming::PowerOn_Click);
    teach->addWidget(PowerOn_);
  }
  SetpointA_ = addButton(QStringLiteral("SetpointA"), QStringLiteral("Set point A"),
                         &MainForm2PointsProgramming::SetpointA_Click);
  SetpointB_ = addButton(QStringLiteral("SetpointB"), QStringLiteral("Set point B"),
                         &MainForm2PointsProgramming::SetpointB_Click);
  teach->addWidget(SetpointA_);
  teach->addWidget(SetpointB_);
  settings_->pointsFrameLayout()->addLayout(teach, 2, 0, 1, 4);

  Picture1_ = named(new CurvePlot(state_, this), QStringLiteral("Picture1"));
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
  machine_.loadWindowState();
  device_.forgetPreparation();
  settings_->clamplow_LostFocus();
  settings_->clamphigh_LostFocus();
  settings_->DP_LostFocus();
  PartSel_->addItems({QStringLiteral("Part#1"), QStringLiteral("Part#2")});
  PartSel_->setCurrentIndex(0);
  setActionButtons(false, false, false);
}

void MainForm2PointsProgramming::closeEvent(QCloseEvent* event) {
  if (busy_) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void MainForm2PointsProgramming::runFlow(void (MainForm2PointsProgramming::*flow)()) {
  // The flows let events run so that the wait window paints; the device
  // serves one request at a time, so a second press meanwhile is dropped.
  if (busy_) return;
  busy_ = true;
  const auto release = qScopeGuard([this] { busy_ = false; });
  (this->*flow)();
}

void MainForm2PointsProgramming::connect_Click() {
  if (connect_->text() == QStringLiteral("Connect")) {
    const bool connected = connection_.connectWithPortWindow(this);
    if (connected) {
      device_.forgetPreparation();
      connect_->setText(QStringLiteral("Disconnect"));
    }
    // Without a device object no action may reach for one.
    setActionButtons(connected && !withPowerButton(), false, connected && withPowerButton());
    return;
  }
  connection_.disconnect();
  connect_->setText(QStringLiteral("Connect"));
  setActionButtons(false, false, false);
}

void MainForm2PointsProgramming::PowerOn_Click() {
  if (device_.PrepareChip(selectedPart())) setActionButtons(true, false, false);
}

void MainForm2PointsProgramming::SetpointA_Click() {
  // Without the power button this press prepares the chip; with it, the
  // chip must have been prepared already.
  if (device_.isPrepared() != withPowerButton()) return;
  const std::int16_t part = selectedPart();
  if (!withPowerButton()) device_.PrepareChip(part);
  const auto angle = device_.readAngle(part);
  if (!angle) {
    // Nothing taught; the next press starts over.
    if (!withPowerButton()) device_.PowerOffIfPrepared(part);
    return;
  }
  settings_->teachAngle(0, *angle);
  setActionButtons(false, true, false);
  settings_->setDpOpposite(*angle);
}

void MainForm2PointsProgramming::GetDP_Click() {
  const std::int16_t part = selectedPart();
  device_.EnsureOwiMode(part);
  if (!device_.inOwiMode(part)) {
    operator_.message(QStringLiteral("Error: Not in OWI mode"), this);
    return;
  }
  if (const auto angle = device_.readAngle(part)) settings_->setDpOpposite(*angle);
}

void MainForm2PointsProgramming::SetpointB_Click() {
  const std::int16_t part = selectedPart();
  device_.EnsureOwiMode(part);
  if (!device_.isPrepared() || !device_.inOwiMode(part)) {
    operator_.message(QStringLiteral("Error: Not in OWI mode"), this);
    return;
  }
  // Without a real reading the chip stays prepared for another press.
  const auto angle = device_.readAngle(part);
  if (!angle) return;
  settings_->teachAngle(1, *angle);
  configuration_->ConfigureAndProgram(part);
  device_.PowerOffIfPrepared(part);
  setActionButtons(!withPowerButton(), false, withPowerButton());
  configuration_->buildCurve(part);
  Picture1_->update();
}

void MainForm2PointsProgramming::mSaveAs_Click() {
  saveProfile(operator_, this, quickProfileLayout(), quickProfileValues(*PartSel_, *settings_));
}

void MainForm2PointsProgramming::mOpen_Click() {
  const auto contents = loadProfile(operator_, this, quickProfileLayout());
  if (!contents) return;
  // Values before a failing line stay in their fields.
  const int applyError = applyQuickProfile(contents->values, *PartSel_, *settings_);
  if (const int error = applyError ? applyError : contents->errorNumber) {
    reportProfileError(operator_, this, error);
    return;
  }
  settings_->validateLoadedTexts();
}

void MainForm2PointsProgramming::btnAbout_Click() { showAboutBox(state_, operator_, this); }

void MainForm2PointsProgramming::setActionButtons(bool setpointA, bool setpointB, bool powerOn) {
  SetpointA_->setEnabled(setpointA);
  SetpointB_->setEnabled(setpointB);
  if (PowerOn_) PowerOn_->setEnabled(powerOn);
}

std::int16_t MainForm2PointsProgramming::selectedPart() const {
  return static_cast<std::int16_t>(std::max(0, PartSel_->currentIndex()));
}

}  // namespace rx41
