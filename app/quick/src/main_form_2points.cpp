#include "rx41/quick/main_form_2points.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "rx41/core/curve_plot.h"
#include "rx41/quick/offset_frame.h"
#include "rx41/quick/part_settings_panel.h"
#include "rx41/quick/quick_profile_format.h"

namespace rx41 {
namespace {

const QColor kCurveColour(0, 255, 0);

}  // namespace

MainForm2PointsProgramming::MainForm2PointsProgramming(const WindowIdentity& identity,
                                                       OperatorInterface& operatorInterface, PowerButton powerButton,
                                                       PointB pointB, AppState& state, DeviceFactory deviceFactory)
    : QuickWindow(identity, powerButton, operatorInterface, state, std::move(deviceFactory)) {
  buildControls(pointB);
  Form_Load();
}

void MainForm2PointsProgramming::buildControls(PointB pointB) {
  QPushButton* connectButton = addConnect();
  settings_ = new PartSettingsPanel(operatorInterface(), this);
  profile_.addRows(quickProfileLines(), settings_->fields());
  profile_.setAfterLoad([this] { settings_->validateLoadedTexts(); });
  QComboBox* partSel = &settings_->partSelection();
  auto* top = new QHBoxLayout;
  for (QWidget* control : std::initializer_list<QWidget*>{connectButton, partSel, addSaveButton(profile_),
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
  const auto showSelectedPart = [this, plot] { plot->setTraces({{settings_->selectedPart(), kCurveColour}}); };
  connect(partSel, &QComboBox::currentIndexChanged, this, showSelectedPart);
  showSelectedPart();

  // The plot spans the window's width under the settings: its degree scale
  // needs the room.
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(settingsRow);
  layout->addLayout(besideCheckOutput(plot), 1);
}

PartSet MainForm2PointsProgramming::workParts() const { return PartSet::part(settings_->selectedPart()); }

}  // namespace rx41
