#include "rx41/quick/part_settings_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <span>

#include "rx41/control_names.h"
#include "rx41/field_box.h"
#include "rx41/number_text.h"
#include "rx41/quick/quick_fields.h"

namespace rx41 {
namespace {

// The fields work on the one part of the window; the device part is chosen apart.
constexpr std::int16_t kFieldPart = 0;

}  // namespace

PartSettingsPanel::PartSettingsPanel(OperatorInterface& operatorInterface, std::function<std::int16_t()> selectedPart,
                                     QWidget* parent)
    : QWidget(parent), operator_(operatorInterface), fields_(operatorInterface, this, std::move(selectedPart)) {
  const auto& table = quickFieldTable();
  auto* partFrame = named(new QGroupBox(QStringLiteral("Part Configuration"), this), "PartFrame", 0);
  partLayout_ = new QGridLayout(partFrame);
  // The table lists the part's fields first, then the point fields.
  const auto partFields = std::span(table).first(3);
  const auto pointFields = std::span(table).subspan(3);
  int row = 0;
  for (const FieldSpec& spec : partFields)
    FieldSet::place(fields_.add(spec, kFieldPart, 0, partFrame), *partLayout_, row++, 0);
  clockwise_ = named(new QCheckBox(QStringLiteral("clockwise"), partFrame), QStringLiteral("clockwise"));
  partLayout_->addWidget(clockwise_, 3, 1);

  auto* pointsFrame = named(new QGroupBox(QStringLiteral("2 Points"), this), QStringLiteral("Frame2"));
  pointsLayout_ = new QGridLayout(pointsFrame);
  for (int point = 0; point < 2; ++point) {
    row = 0;
    for (const FieldSpec& spec : pointFields)
      FieldSet::place(fields_.add(spec, kFieldPart, point, pointsFrame), *pointsLayout_, row++, 2 * point);
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(partFrame);
  layout->addWidget(pointsFrame);
}

void PartSettingsPanel::validate(std::string_view name, int point) {
  fields_.validate(fields_.at(name, kFieldPart, point));
}

void PartSettingsPanel::validateAtLoad() {
  validate("clamplow");
  validate("clamphigh");
  validate("DP");
}

void PartSettingsPanel::validateLoadedTexts() {
  validateAtLoad();
  validate("Angle", 0);
  validate("Angle", 1);
  validate("Level", 0);
  validate("Level", 1);
}

void PartSettingsPanel::teachAngle(int point, float angle) {
  fields_.at("Angle", kFieldPart, point).box->setText(fixedDecimals(angle, 2));
  validate("Angle", point);
}

void PartSettingsPanel::setDpOpposite(float angle) {
  const float dp = angle < 180.0f ? angle + 180.0f : angle - 180.0f;
  FieldBox* box = fields_.at("DP").box;
  box->setText(fixedDecimals(dp, 2));
  fields_.values(kFieldPart).DpValue = TextToSingle(box->text(), operator_, window());
}

void PartSettingsPanel::placePointBAndDp(float angleB, float dp) {
  fields_.at("Angle", kFieldPart, 1).box->setText(fixedDecimals(angleB, 2));
  FieldBox* dpBox = fields_.at("DP").box;
  dpBox->setText(fixedDecimals(dp, 2));
  validate("Angle", 1);
  validate("DP");
  fields_.values(kFieldPart).DpValue = TextToSingle(dpBox->text(), operator_, window());
}

const FieldValues& PartSettingsPanel::values(std::int16_t) const { return fields_.values(kFieldPart); }

bool PartSettingsPanel::levelGiven(std::int16_t, int point) const {
  return !fields_.at("Level", kFieldPart, point).box->text().isEmpty();
}

bool PartSettingsPanel::clockwise(std::int16_t) const { return clockwise_->isChecked(); }

void PartSettingsPanel::emptyLevel(std::int16_t, int point) {
  fields_.at("Level", kFieldPart, point).box->clear();
  validate("Level", point);
}

}  // namespace rx41
