#include "rx41/quick/quick_settings_panel.h"

#include <QCheckBox>

#include "rx41/core/field_box.h"
#include "rx41/core/shown_numbers.h"

namespace rx41 {

QuickSettingsPanel::QuickSettingsPanel(OperatorInterface& operatorInterface, PartSet fieldParts,
                                       std::function<std::int16_t()> partOfMessages, QWidget* parent)
    : QWidget(parent),
      operator_(operatorInterface),
      fieldParts_(fieldParts),
      fields_(operatorInterface, this, std::move(partOfMessages)) {}

QCheckBox& QuickSettingsPanel::clockwiseBox(std::int16_t part) const {
  return *fields_.at("clockwise", fieldPart(part)).tick;
}

FieldBox& QuickSettingsPanel::box(std::string_view name, std::int16_t part, int point) const {
  return *fields_.at(name, fieldPart(part), point).box;
}

void QuickSettingsPanel::validate(std::string_view name, std::int16_t part, int point) {
  fields_.validate(fields_.at(name, fieldPart(part), point));
}

void QuickSettingsPanel::validateEachPart(std::string_view name, int points) {
  for (const std::int16_t part : fieldParts_.parts())
    for (int point = 0; point < points; ++point) validate(name, part, point);
}

void QuickSettingsPanel::validateAtLoad() {
  validateEachPart("clamplow", 1);
  validateEachPart("clamphigh", 1);
  validateEachPart("DP", 1);
}

void QuickSettingsPanel::validateLoadedTexts() {
  validateAtLoad();
  validateEachPart("Angle", 2);
  validateEachPart("Level", 2);
}

void QuickSettingsPanel::teachAngle(std::int16_t part, int point, float angle) {
  box("Angle", part, point).setText(fixedDecimals(angle, 2));
  validate("Angle", part, point);
}

void QuickSettingsPanel::setDpOpposite(std::int16_t part, float angle) {
  const float dp = angle < 180.0f ? angle + 180.0f : angle - 180.0f;
  FieldBox& dpBox = box("DP", part);
  dpBox.setText(fixedDecimals(dp, 2));
  fields_.values(fieldPart(part)).DpValue = TextToSingle(dpBox.text(), operator_, window());
}

void QuickSettingsPanel::placePointBAndDp(std::int16_t part, float angleB, float dp) {
  box("Angle", part, 1).setText(fixedDecimals(angleB, 2));
  FieldBox& dpBox = box("DP", part);
  dpBox.setText(fixedDecimals(dp, 2));
  validate("Angle", part, 1);
  validate("DP", part);
  fields_.values(fieldPart(part)).DpValue = TextToSingle(dpBox.text(), operator_, window());
}

const FieldValues& QuickSettingsPanel::values(std::int16_t part) const { return fields_.values(fieldPart(part)); }

bool QuickSettingsPanel::levelGiven(std::int16_t part, int point) const {
  return !box("Level", part, point).text().isEmpty();
}

bool QuickSettingsPanel::clockwise(std::int16_t part) const { return clockwiseBox(part).isChecked(); }

void QuickSettingsPanel::emptyLevel(std::int16_t part, int point) {
  box("Level", part, point).clear();
  validate("Level", part, point);
}

}  // namespace rx41
