#include "rx41/dual/dual_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <algorithm>
#include <iterator>

#include "rx41/core/field_box.h"
#include "rx41/core/shown_numbers.h"

namespace rx41 {

DualSettings::DualSettings(const DualVariant& variant, OperatorInterface& operatorInterface, QWidget* window)
    : table_(*variant.fields), operator_(operatorInterface), window_(window), fields_(operatorInterface, window) {
  for (std::int16_t part = 0; part < 2; ++part) frames_[part] = new DualPartFrame(fields_, table_, part, window);
}

void DualSettings::validate(std::string_view name, std::int16_t part, int point) {
  fields_.validate(fields_.at(name, part, point));
}

void DualSettings::validateAtLoad() {
  for (const std::string_view name : {"clamplow", "clamphigh", "DP"})
    for (std::int16_t part = 0; part < 2; ++part) validate(name, part);
  for (std::int16_t part = 0; part < 2; ++part) {
    FieldValues& values = fields_.values(part);
    std::fill(std::begin(values.AngleValue), std::end(values.AngleValue), kEmptyValue);
    values.SlopeValue = kEmptyValue;
  }
}

void DualSettings::validateLoadedTexts() {
  for (const std::string_view name : {"clamplow", "clamphigh", "DP", "VDD"})
    for (std::int16_t part = 0; part < 2; ++part) validate(name, part);
  for (const std::string_view name : {"Angle", "Level"})
    for (std::int16_t part = 0; part < 2; ++part)
      for (int point = 0; point < 4; ++point) validate(name, part, point);
  for (std::int16_t part = 0; part < 2; ++part) validate("KforA", part);
}

void DualSettings::setInWork(std::int16_t part, bool inWork) {
  for (const FieldRow& fieldRow : table_) {
    const int points = perPoint(fieldRow.index) ? kDualPoints : 1;
    for (int point = 0; point < points; ++point)
      if (fieldRow.enable == EnableGroup::PartInWork)
        fields_.at(fieldRow.name, part, point).control()->setEnabled(inWork);
  }
  for (QWidget* control : frame(part).inWorkControls()) control->setEnabled(inWork);
}

PartEntries DualSettings::entries(std::int16_t part) const {
  PartEntries entries;
  entries.values = fields_.values(part);
  for (int point = 0; point < 4; ++point) entries.levelGiven[point] = !text("Level", part, point).isEmpty();
  entries.clockwise = ticked("clockwise", part);
  entries.opText = text("op", part).toStdString();
  entries.hysText = text("hys", part).toStdString();
  entries.polarity = ticked("Kpolarity", part) ? 1 : 0;
  return entries;
}

OutputMode DualSettings::outputMode(std::int16_t part) const {
  return {index("OutMode", part), index("PWMFreq", part), index("PWMPolarity", part)};
}

void DualSettings::emptyLevel(std::int16_t part, int point) {
  setText("Level", part, QString(), point);
  validate("Level", part, point);
}

void DualSettings::teachAngle(std::int16_t part, int point, float angle) {
  setText("Angle", part, fixedDecimals(angle, 2), point);
  validate("Angle", part, point);
}

void DualSettings::setDpOpposite(std::int16_t part, float angle) {
  const float dp = angle < 180.0f ? angle + 180.0f : angle - 180.0f;
  setText("DP", part, fixedDecimals(dp, 2));
  fields_.values(part).DpValue = TextToSingle(text("DP", part), operator_, window_);
}

void DualSettings::setOp(std::int16_t part, float angle) { setText("op", part, fixedDecimals(angle, 2)); }

void DualSettings::setReadAngle(std::int16_t part, float angle) { setText("Rangle", part, fixedDecimals(angle, 2)); }

void DualSettings::showVdd(PartSet parts, float volts) {
  for (const std::int16_t part : parts.parts()) setText("VDD", part, fixedDecimals(volts, 3));
}

QString DualSettings::text(std::string_view name, std::int16_t part, int point) const {
  return fields_.at(name, part, point).box->text();
}

bool DualSettings::ticked(std::string_view name, std::int16_t part) const {
  return fields_.at(name, part).tick->isChecked();
}

int DualSettings::index(std::string_view name, std::int16_t part) const {
  return fields_.at(name, part).list->currentIndex();
}

void DualSettings::setText(std::string_view name, std::int16_t part, const QString& text, int point) {
  fields_.at(name, part, point).box->setText(text);
}

}  // namespace rx41
