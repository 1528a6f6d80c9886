#include "rx41/display/real_time_display_bar.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>

#include "rx41/core/event_pass.h"
#include "rx41/core/shown_numbers.h"
#include "rx41/operator/control_names.h"
#include "rx41/rules/curve_math.h"
#include "rx41/rules/part_set.h"

namespace rx41 {
namespace {

constexpr std::chrono::milliseconds kRefreshInterval{100};
// The measurement relay needs this long before the new part's output is read.
constexpr std::chrono::milliseconds kRelaySettling{200};
constexpr double kDegreesPerPercent = 3.6;
constexpr float kOutOfScope = 101.0f;
constexpr int kPercentBarMaximum = 100, kAngleBarMaximum = 360;

// Readings from 100 up to 101 still count; their bars stand full.
int barValue(double value, int maximum) { return std::clamp<int>(roundToInt16(value), 0, maximum); }

QProgressBar* newBar(const QString& name, int part, int maximum, const QString& accessibleName, QWidget* parent) {
  auto* bar = named(new QProgressBar(parent), name, part);
  bar->setRange(0, maximum);
  bar->setTextVisible(false);
  bar->setAccessibleName(accessibleName);
  return bar;
}

}  // namespace

RealTimeDisplayBar::RealTimeDisplayBar(OperatorInterface& operatorInterface, AppState& state, QWidget* owner)
    : DisplayForm(QStringLiteral("RealTimeDisplayBar"), QStringLiteral("Real Time Output Display"), owner),
      state_(state),
      calls_(state, operatorInterface, this) {
  auto* layout = new QVBoxLayout(this);
  for (std::int16_t part = 0; part < 2; ++part) layout->addWidget(buildGroup(part));
  auto* options = new QHBoxLayout;
  for (std::int16_t part = 0; part < 2; ++part) {
    PartsOption_[part] =
        named(new QRadioButton(QString::fromStdString(partName(part)), this), QStringLiteral("PartsOption"), part);
    connect(PartsOption_[part], &QRadioButton::clicked, this, [this, part] { PartsOption_Click(part); });
    options->addWidget(PartsOption_[part]);
  }
  options->addStretch();
  layout->addLayout(options);

  Timer1_.setObjectName(QStringLiteral("Timer1"));
  Timer1_.setTimerType(Qt::PreciseTimer);
  Timer1_.setInterval(kRefreshInterval);
  connect(&Timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

QGroupBox* RealTimeDisplayBar::buildGroup(std::int16_t part) {
  auto* frame = named(new QGroupBox(QString::fromStdString(partName(part)), this),
                      part == 0 ? QStringLiteral("Frame1") : QStringLiteral("Frame2"));
  auto* grid = new QGridLayout(frame);
  const QString percentLabel =
      QStringLiteral("Measured Output of %1 in Percentage of Voltage:").arg(QString::fromStdString(partName(part)));
  const QString angleLabel =
      QStringLiteral("Measured Output of %1 in Angle (deg):").arg(QString::fromStdString(partName(part)));
  auto addTextRow = [&](int row, const QString& labelText, QLineEdit* text, const QString& unit) {
    auto* label = new QLabel(labelText, frame);
    label->setBuddy(text);
    text->setReadOnly(true);
    grid->addWidget(label, row, 0);
    grid->addWidget(text, row, 1);
    grid->addWidget(new QLabel(unit, frame), row, 2);
  };
  PercentText_[part] = named(new QLineEdit(frame), QStringLiteral("PercentText"), part);
  AngleText_[part] = named(new QLineEdit(frame), QStringLiteral("AngleText"), part);
  PercentBar_[part] = newBar(QStringLiteral("PercentBar"), part, kPercentBarMaximum, percentLabel, frame);
  AngleBar_[part] = newBar(QStringLiteral("AngleBar"), part, kAngleBarMaximum, angleLabel, frame);
  addTextRow(0, percentLabel, PercentText_[part], QStringLiteral("%"));
  grid->addWidget(PercentBar_[part], 1, 0, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("100%"), frame), 1, 2);
  addTextRow(2, angleLabel, AngleText_[part], QStringLiteral("deg"));
  grid->addWidget(AngleBar_[part], 3, 0, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("360 deg"), frame), 3, 2);
  return frame;
}

void RealTimeDisplayBar::Init(std::int16_t chipindex, std::int16_t num) {
  part_ = chipindex;
  count_ = num;
  // Its result is not judged: the readings show whether the relay followed.
  measureOutputOf(part_);
}

void RealTimeDisplayBar::Form_Load() {
  ShowValues(0.0f, 0.0f);
  PartsOption_[part_]->setChecked(true);
  PartsOption_[1 - part_]->setChecked(false);
  for (QRadioButton* option : PartsOption_) option->setEnabled(count_ != 1);
}

void RealTimeDisplayBar::showEvent(QShowEvent* event) {
  DisplayForm::showEvent(event);
  Timer1_.start();
}

void RealTimeDisplayBar::hideEvent(QHideEvent* event) {
  Timer1_.stop();
  DisplayForm::hideEvent(event);
}

void RealTimeDisplayBar::ShowValues(float p0, float p1) {
  const double percent[2] = {p0, p1};
  for (int i = 0; i < 2; ++i) PercentBar_[i]->setValue(barValue(percent[i], kPercentBarMaximum));
  for (int i = 0; i < 2; ++i) AngleBar_[i]->setValue(barValue(percent[i] * kDegreesPerPercent, kAngleBarMaximum));
  for (int i = 0; i < 2; ++i) PercentText_[i]->setText(fixedDecimals(percent[i], 2));
  for (int i = 0; i < 2; ++i) AngleText_[i]->setText(fixedDecimals(percent[i] * kDegreesPerPercent, 2));
}

bool RealTimeDisplayBar::measureOutputOf(std::int16_t part) {
  return calls_.chipOperation(&DeviceCalls::Device::Customized_Mode0V, "Customized_Mode0V", part).has_value();
}

void RealTimeDisplayBar::PartsOption_Click(std::int16_t Index) {
  PartsOption_[1 - Index]->setChecked(false);
  if (Index == part_) return;
  const BusyFlag::Hold hold(busy_);
  if (!measureOutputOf(Index)) {
    // The relay stayed with the old part, and so does the display.
    PartsOption_[part_]->setChecked(true);
    return;
  }
  waitLettingScreenPaint(kRelaySettling);
  part_ = Index;
}

void RealTimeDisplayBar::Timer1_Timer() {
  if (busy_.busy() || !state_.Device) return;
  float value = 0.0f;
  {
    const BusyFlag::Hold hold(busy_);
    const auto measured = calls_.Measure(part_, rx041::zq3902::MeasPercentVDD);
    if (!measured) {
      // Already told; the next tick would only fail again.
      Timer1_.stop();
      hide();
    } else if (*measured >= 0.0f && *measured < kOutOfScope) {
      value = *measured;
    } else {
      Timer1_.stop();
      calls_.operatorInterface().message(QStringLiteral("Angle from %1 is out of scope [%2],Will be set to 0 instead!")
                                             .arg(QString::fromStdString(partName(part_)), singleText(*measured)),
                                         this);
      hide();
    }
  }
  ShowValues(part_ == 0 ? value : 0.0f, part_ == 1 ? value : 0.0f);
  letEventsRun();
}

}  // namespace rx41
