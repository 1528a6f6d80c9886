#include "rx41/quick/main_form_2points.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "rx41/core/curve_plot.h"
#include "rx41/operator/control_names.h"
#include "rx41/quick/offset_frame.h"
#include "rx41/quick/part_settings_panel.h"
#include "rx41/quick/quick_profile.h"

namespace rx41 {
namespace {

const QColor kCurveColour(0, 255, 0);

QString classNameFor(QuickWindow::PowerButton powerButton, MainForm2PointsProgramming::PointB pointB) {
  if (pointB == MainForm2PointsProgramming::PointB::ByOffsets) return QStringLiteral("MainForm1PointProgramming");
  return powerButton == QuickWindow::PowerButton::Present ? QStringLiteral("MainForm2PointsProgrammingWithPwr")
                                                          : QStringLiteral("MainForm2PointsProgramming");
}

}  // namespace

MainForm2PointsProgramming::MainForm2PointsProgramming(OperatorInterface& operatorInterface, PowerButton powerButton,
                                                       PointB pointB, AppState& state, DeviceFactory deviceFactory)
    : QuickWindow(classNameFor(powerButton, pointB), powerButton, operatorInterface, state, std::move(deviceFactory)) {
  buildControls(pointB);
  Form_Load();
}

void MainForm2PointsProgramming::buildControls(PointB pointB) {
  QPushButton* connectButton = addConnect();
  PartSel_ = named(new QComboBox(this), QStringLiteral("PartSel"));
  settings_ = new PartSettingsPanel(
      operatorInterface(), [this] { return selectedPart(); }, this);
  bindQuickProfile(profile_, *PartSel_, *settings_);
  auto* top = new QHBoxLayout;
  for (QWidget* control : std::initializer_list<QWidget*>{connectButton, PartSel_, addSaveButton(profile_),
                                                          addLoadButton(profile_), addAboutButton()})
    top->addWidget(control);
  top->addStretch();

  auto* settingsRow = new QHBoxLayout;
  settingsRow->addWidget(settings_);
  if (pointB == PointB::Taught) {
    settings_->partFrameLayout()->addWidget(addGetDpButton(QStringLiteral("Get DP Mid Point")), 2, 2);
    setTeachSettings(*settings_, std::make_unique<TaughtSecondPoint>(*settings_, calls()));
  } else {
    auto* offsets = new OffsetFrame(operatorInterface(), this);
    settingsRow->addWidget(offsets, 0, Qt::AlignTop);
    setTeachSettings(*settings_, std::make_unique<OffsetSecondPoint>(*settings_, offsets->offsetAngleB(),
                                                                     offsets->offsetDp(), operatorInterface()));
  }
  settingsRow->addStretch();
  const QString setpointB = pointB == PointB::Taught ? QStringLiteral("Set point B") : QStringLiteral("Program");
  settings_->pointsFrameLayout()->addLayout(addTeachButtons(setpointB), 2, 0, 1, 4);

  CurvePlot* plot = addCurvePlot();
  connect(PartSel_, &QComboBox::currentIndexChanged, this, [this, plot] {
    plot->setTraces({{selectedPart(), kCurveColour}});
  });
  PartSel_->addItems({QStringLiteral("Part#1"), QStringLiteral("Part#2")});
  PartSel_->setCurrentIndex(0);

  // The plot spans the window's width under the settings: its degree scale
  // needs the room.
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(settingsRow);
  layout->addLayout(besideCheckOutput(plot), 1);
}

std::int16_t MainForm2PointsProgramming::selectedPart() const {
  return static_cast<std::int16_t>(std::max(0, PartSel_->currentIndex()));
}

}  // namespace rx41
