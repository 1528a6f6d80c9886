#include "rx41/quick/main_form_pair.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "rx41/core/curve_plot.h"
#include "rx41/quick/pair_settings_panel.h"
#include "rx41/quick/quick_profile_format.h"

namespace rx41 {
namespace {

const QColor kPartColours[2] = {QColor(0, 255, 0), QColor(255, 0, 0)};

}  // namespace

MainForm2PointsProgrammingforDual::MainForm2PointsProgrammingforDual(const WindowIdentity& identity,
                                                                     OperatorInterface& operatorInterface,
                                                                     PowerButton powerButton, AppState& state,
                                                                     DeviceFactory deviceFactory)
    : QuickWindow(identity, powerButton, operatorInterface, state, std::move(deviceFactory)) {
  buildControls();
  Form_Load();
}

void MainForm2PointsProgrammingforDual::buildControls() {
  auto* settings = new PairSettingsPanel(operatorInterface(), this);
  profile_.addRows(pairQuickProfileLines(), settings->fields());
  profile_.setAfterLoad([settings] { settings->validateLoadedTexts(); });
  setTeachSettings(*settings, std::make_unique<TaughtSecondPoint>(*settings, calls()));

  auto* top = new QHBoxLayout;
  for (QWidget* control : std::initializer_list<QWidget*>{addConnect(), addSaveButton(profile_),
                                                          addLoadButton(profile_), addAboutButton()})
    top->addWidget(control);
  top->addStretch();

  QHBoxLayout* teach = addTeachButtons(QStringLiteral("Set point B"));
  teach->insertWidget(0, addGetDpButton(QStringLiteral("Get DP")));
  teach->addStretch();

  CurvePlot* plot = addCurvePlot();
  plot->setTraces({{0, kPartColours[0]}, {1, kPartColours[1]}});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(settings);
  layout->addLayout(teach);
  layout->addLayout(besideCheckOutput(plot), 1);
  // Two parts side by side need more than the two thirds of the screen a
  // window gets by default.
  resize(sizeHint().boundedTo(screen()->availableGeometry().size()));
}

}  // namespace rx41
