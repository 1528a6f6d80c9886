#include "rx41/dual/main_form_2parts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "rx41/core/operator_sink.h"
#include "rx41/core/status_text.h"
#include "rx41/core/wait_form.h"
#include "rx41/display/frm_advanced.h"
#include "rx41/display/frm_linear_graph.h"
#include "rx41/display/real_time_display_bar.h"
#include "rx41/dual/dual_profile_format.h"
#include "rx41/operator/control_names.h"
#include "rx41/rules/device_texts.h"

namespace rx41 {
namespace {

const QString kPowerOnCaption = QStringLiteral("Power On");
const QString kPowerOffCaption = QStringLiteral("Power Off");

bool poweredState(std::int32_t chipState) { return chipState == kAdcMode || chipState == kOwiMode; }

// The display windows open on the first part of the set and offer the other
// part of a pair too.
std::int16_t partsOffered(PartSet parts) { return parts.isPair() ? 2 : 1; }

}  // namespace

MainForm2Parts2Src::MainForm2Parts2Src(const WindowIdentity& identity, OperatorInterface& operatorInterface,
                                       Sources sources, AppState& state, DeviceFactory deviceFactory)
    : WorkingWindow(identity, QStringLiteral("RX41 GUI - ZQ3902"), operatorInterface, state, std::move(deviceFactory)),
      variant_(dualVariant(sources)),
      settings_(variant_, operatorInterface, this),
      rules_(state, operatorSink(operatorInterface, this)),
      modes_(
          machine(), [this](const QString& text) { status_->setText(text); }, [this] { UpdateControl(); }),
      power_(modes_, settings_, variant_, this),
      programming_(modes_, settings_, rules_, variant_, this) {
  buildControls();
  Form_Load();
}

QPushButton* MainForm2Parts2Src::action(const QString& name, int index, const QString& caption,
                                        std::function<void()> handler) {
  return addActionButton(arrayControlName(name, index), caption, [this, handler = std::move(handler)] {
    handler();
    UpdateControl();
  });
}

void MainForm2Parts2Src::buildControls() {
  connect_ =
      addConnectButton([this](bool) { UpdateControl(); }, [this](const QString& text) { status_->setText(text); });
  profile_.addRows(dualProfileLines(settings_.table()), settings_.fields());
  profile_.setAfterLoad([this] { settings_.validateLoadedTexts(); });
  auto* top = new QHBoxLayout;
  for (QWidget* control :
       std::initializer_list<QWidget*>{connect_, addSaveButton(profile_), addLoadButton(profile_), addAboutButton()})
    top->addWidget(control);
  top->addStretch();
  top->addWidget(named(new QLabel(QStringLiteral("ZENTAVO"), this), QStringLiteral("Image1")));

  auto* statusFrame = named(new QGroupBox(QStringLiteral("Status"), this), QStringLiteral("StatusFrame"));
  status_ = named(new QLabel(QStringLiteral("status: N/A"), statusFrame), QStringLiteral("status"));
  (new QVBoxLayout(statusFrame))->addWidget(status_);

  for (std::int16_t part = 0; part < 2; ++part) makeTeachButtons(part);
  for (int index = 0; index < unitCount(variant_); ++index)
    units_.push_back(makeUnit(index, unitParts(variant_, static_cast<std::int16_t>(index))));

  auto* partsRow = new QHBoxLayout;
  for (std::int16_t part = 0; part < 2; ++part) {
    auto* column = new QVBoxLayout;
    if (!variant_.pairedParts) {
      PartEnable_[part] = named(new QCheckBox(QStringLiteral("Enable Part #%1").arg(part + 1), this),
                                QStringLiteral("PartEnable"), part);
      connect(PartEnable_[part], &QCheckBox::toggled, this, [this] { UpdateControl(); });
      column->addWidget(PartEnable_[part]);
      settings_.frame(part).placeUnitButtons(units_[static_cast<std::size_t>(part)].buttons());
    }
    column->addWidget(&settings_.frame(part));
    partsRow->addLayout(column);
  }

  auto* content = new QWidget;
  auto* contentLayout = new QVBoxLayout(content);
  contentLayout->addLayout(top);
  contentLayout->addWidget(statusFrame);
  if (variant_.pairedParts) contentLayout->addWidget(buildUnitBar());
  contentLayout->addLayout(partsRow);
  auto* scroll = new QScrollArea(this);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidget(content);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll);
  // Everything at once where the screen allows; scrolling on a smaller one.
  resize(content->sizeHint().boundedTo(screen()->availableGeometry().size()));
}

QWidget* MainForm2Parts2Src::buildUnitBar() {
  auto* bar = new QWidget(this);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  for (QPushButton* button : units_.front().buttons()) row->addWidget(button);
  row->addStretch();
  return bar;
}

MainForm2Parts2Src::Unit MainForm2Parts2Src::makeUnit(int index, PartSet parts) {
  Unit unit{parts, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
  unit.PowerOn = action(QStringLiteral("PowerOn"), index, kPowerOnCaption,
                        [this, index] { PowerOn_Click(units_[static_cast<std::size_t>(index)]); });
  unit.newdevice = action(QStringLiteral("newdevice"), index, QStringLiteral("New Device"),
                          [this, parts] { programming_.newdevice_Click(parts); });
  unit.btnconfigsolver = action(QStringLiteral("btnconfigsolver"), index, QStringLiteral("Program"),
                                [this, parts] { programming_.btnconfigsolver_Click(parts); });
  unit.owilock =
      action(QStringLiteral("owilock"), index, QStringLiteral("Comm Lock"), [this, parts] { power_.owilock(parts); });
  unit.viewoutput = action(QStringLiteral("viewoutput"), index, QStringLiteral("View Output"),
                           [this, parts] { viewoutput_Click(parts); });
  unit.lineargraph = action(QStringLiteral("lineargraph"), index, QStringLiteral("Linear Graph"),
                            [this, parts] { lineargraph_Click(parts); });
  unit.Advanced =
      action(QStringLiteral("Advanced"), index, QStringLiteral("Advanced"), [this, parts] { Advanced_Click(parts); });
  // Both parts' frames have these buttons: their names tell which part.
  if (!parts.isPair())
    for (QPushButton* button : unit.buttons()) setPartAccessibleName(*button, parts.first(), button->text());
  return unit;
}

void MainForm2Parts2Src::makeTeachButtons(std::int16_t part) {
  DualPartFrame& frame = settings_.frame(part);
  TeachButtons& teach = teach_[part];
  const auto partButton = [&](const QString& name, int index, const QString& caption, std::function<void()> handler) {
    QPushButton* button = action(name, index, caption, std::move(handler));
    setPartAccessibleName(*button, part, caption);
    return button;
  };
  teach.GetDP = partButton(QStringLiteral("GetDP"), part, QStringLiteral("Get DP Mid Point"), [this, part] {
    if (const auto angle = liveAngle(part)) settings_.setDpOpposite(part, *angle);
  });
  frame.placeGetDp(teach.GetDP);
  for (int point = 0; point < 4; ++point) {
    teach.Setpoint[point] = partButton(QStringLiteral("Setpoint"), 4 * part + point,
                                       QStringLiteral("Set point %1").arg(QChar(u'A' + point)), [this, part, point] {
                                         if (const auto angle = liveAngle(part))
                                           settings_.teachAngle(part, point, *angle);
                                       });
    frame.placeSetpoint(point, teach.Setpoint[point]);
  }
  teach.btnreadangle = partButton(QStringLiteral("btnreadangle"), part, QStringLiteral("Read Angle"), [this, part] {
    if (const auto angle = liveAngle(part)) settings_.setReadAngle(part, *angle);
  });
  frame.placeReadAngle(teach.btnreadangle);
  teach.swobtn = partButton(QStringLiteral("swobtn"), part, QStringLiteral("Set Op"), [this, part] {
    if (const auto angle = liveAngle(part)) settings_.setOp(part, *angle);
  });
  frame.placeSetOp(teach.swobtn);
}

void MainForm2Parts2Src::Form_Load() {
  machine().loadWindowState();
  UpdateControl();
  settings_.validateAtLoad();
}

MainForm2Parts2Src::PartAccess MainForm2Parts2Src::access(std::int16_t part) const {
  const AppState& s = state();
  PartAccess result;
  // Without enable boxes a part takes part in the work whenever the programmer is connected.
  result.enabled = PartEnable_[part] ? PartEnable_[part]->isEnabled() && PartEnable_[part]->isChecked()
                                     : s.ProgrammerState == kConnected;
  result.powered = result.enabled && poweredState(s.ChipState[part]);
  result.unlocked = result.powered && s.CommLocked[part] == kFalse16;
  return result;
}

void MainForm2Parts2Src::UpdateControl() {
  const AppState& s = state();
  // With the programmer lost the parts cannot be powered off: Disconnect is the way back.
  connect_->setEnabled((s.ChipState[0] == kPowerOff && s.ChipState[1] == kPowerOff) || s.ProgrammerState == kOffline ||
                       calls().programmerLost());
  PartAccess parts[2];
  for (std::int16_t part = 0; part < 2; ++part) {
    if (PartEnable_[part]) PartEnable_[part]->setEnabled(s.ProgrammerState == kConnected);
    parts[part] = access(part);
    settings_.frame(part).setEnabled(parts[part].enabled);
    settings_.setInWork(part, parts[part].powered);
    const TeachButtons& teach = teach_[part];
    for (QPushButton* button : {teach.GetDP, teach.Setpoint[0], teach.Setpoint[1], teach.Setpoint[2], teach.Setpoint[3],
                                teach.btnreadangle, teach.swobtn})
      button->setEnabled(parts[part].unlocked);
  }
  for (const Unit& unit : units_) {
    // A pair's button needs what each part's button would.
    PartAccess all{true, true, true};
    for (const std::int16_t part : unit.parts.parts()) {
      all.enabled = all.enabled && parts[part].enabled;
      all.powered = all.powered && parts[part].powered;
      all.unlocked = all.unlocked && parts[part].unlocked;
    }
    for (QPushButton* button : {unit.PowerOn, unit.newdevice, unit.lineargraph}) button->setEnabled(all.enabled);
    unit.viewoutput->setEnabled(all.powered);
    for (QPushButton* button : {unit.owilock, unit.Advanced, unit.btnconfigsolver}) button->setEnabled(all.unlocked);
    showPowerCaption(unit);
  }
  status_->setText(statusLine(s));
}

void MainForm2Parts2Src::showPowerCaption(const Unit& unit) {
  bool powered = false;
  for (const std::int16_t part : unit.parts.parts()) powered = powered || state().ChipState[part] != kPowerOff;
  unit.PowerOn->setText(powered ? kPowerOffCaption : kPowerOnCaption);
  if (!unit.parts.isPair()) setPartAccessibleName(*unit.PowerOn, unit.parts.first(), unit.PowerOn->text());
}

void MainForm2Parts2Src::PowerOn_Click(const Unit& unit) {
  if (unit.PowerOn->text() == kPowerOnCaption) {
    unit.PowerOn->setText(kPowerOffCaption);
    power_.PowerOn(unit.parts);
    return;
  }
  power_.PowerOff(unit.parts);
}

std::optional<float> MainForm2Parts2Src::liveAngle(std::int16_t part) {
  WaitNotice wait(this, QLatin1String(device_text::kWaitReadingAngle));
  if (!modes_.EnsureOwiMode(unitParts(variant_, part))) {
    operatorInterface().message(QLatin1String(device_text::kNotInOwiMode), this);
    return std::nullopt;
  }
  return calls().readAngle(part);
}

void MainForm2Parts2Src::viewoutput_Click(PartSet parts) {
  if (!modes_.ReturnToAdcMode(parts)) {
    operatorInterface().message(QLatin1String(device_text::kNotInAdcMode), this);
    return;
  }
  RealTimeDisplayBar display(operatorInterface(), state(), this);
  display.Init(parts.first(), partsOffered(parts));
  operatorInterface().runModal(display);
}

void MainForm2Parts2Src::lineargraph_Click(PartSet parts) {
  if (state().ProgrammerState == kOffline) {
    operatorInterface().message(QLatin1String(device_text::kOfflineMode), this);
    return;
  }
  const auto modes = programming_.configureForGraph(parts);
  if (!modes) return;
  frmLinearGraph graph(operatorInterface(), state(), this, calls().window());
  if (parts.isPair())
    graph.Init(0, (*modes)[0], 1, (*modes)[1]);
  else
    graph.Init(parts.first(), (*modes)[static_cast<std::size_t>(parts.first())], 0, 0);
  operatorInterface().runModal(graph);
}

void MainForm2Parts2Src::Advanced_Click(PartSet parts) {
  if (!modes_.EnsureOwiMode(parts)) {
    operatorInterface().message(QLatin1String(device_text::kOwiModeRequired), this);
    return;
  }
  frmadvanced advanced(operatorInterface(), state(), this);
  advanced.Init(parts.first(), partsOffered(parts));
  operatorInterface().runModal(advanced);
}

}  // namespace rx41
