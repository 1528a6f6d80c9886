#include "rx41/core/field_set.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "rx41/core/field_box.h"
#include "rx41/operator/control_names.h"
#include "rx41/operator/operator_interface.h"

namespace rx41 {
namespace {

QString qText(const std::string& text) { return QString::fromStdString(text); }
QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

QWidget* FieldSet::Field::control() const {
  if (box) return box;
  if (tick) return tick;
  return list;
}

FieldSet::FieldSet(OperatorInterface& operatorInterface, QWidget* owner, std::function<std::int16_t()> partOfMessages)
    : operator_(operatorInterface), owner_(owner), partOfMessages_(std::move(partOfMessages)) {}

FieldSet::Field& FieldSet::add(const FieldRow& fieldRow, std::int16_t part, int point, QWidget* parent) {
  const QString name = qText(designName(fieldRow.name, fieldRow.index, part, point));
  const QString shownLabel = qText(expandPattern(fieldRow.label, part, point, std::nullopt));
  Field& field = fields_.emplace_back(Field{&fieldRow, part, point, name});
  switch (fieldRow.kind) {
    case ControlKind::TextBox:
      field.box = new FieldBox(qText(fieldRow.initialText), parent, [this, &field] { validate(field); });
      break;
    case ControlKind::CheckBox:
      field.tick = new QCheckBox(shownLabel, parent);
      field.tick->setChecked(fieldRow.initialChoice == 1);
      break;
    case ControlKind::List:
      field.list = new QComboBox(parent);
      for (const std::string_view item : fieldRow.items) field.list->addItem(qText(item));
      field.list->setCurrentIndex(fieldRow.initialChoice);
      break;
  }
  setControlName(*field.control(), name);
  if (field.box) {
    field.label = new QLabel(shownLabel, parent);
    field.label->setBuddy(field.box);
  }
  // A list shows no label: screen readers call it by its label.
  if (field.list) field.list->setAccessibleName(shownLabel);
  for (Field& twin : fields_)
    if (twin.fieldRow == &fieldRow && twin.point == point && twin.part != part &&
        expandPattern(fieldRow.label, twin.part, point, std::nullopt) == shownLabel.toStdString())
      for (Field* each : {&twin, &field})
        each->control()->setAccessibleName(QStringLiteral("Part#%1 %2").arg(each->part + 1).arg(shownLabel));
  return field;
}

void FieldSet::place(const Field& field, QGridLayout& layout, int row, int column) {
  if (field.label) layout.addWidget(field.label, row, column);
  layout.addWidget(field.control(), row, column + 1);
}

template <class Fields>
auto& FieldSet::fieldAt(Fields& fields, std::string_view name, std::int16_t part, int point) {
  for (auto& field : fields)
    if (field.fieldRow->name == name && field.part == part && field.point == point) return field;
  qFatal("no field %.*s of part %d point %d", static_cast<int>(name.size()), name.data(), part, point);
}

FieldSet::Field& FieldSet::at(std::string_view name, std::int16_t part, int point) {
  return fieldAt(fields_, name, part, point);
}

const FieldSet::Field& FieldSet::at(std::string_view name, std::int16_t part, int point) const {
  return fieldAt(fields_, name, part, point);
}

void FieldSet::validate(Field& field) {
  const FieldRow& fieldRow = *field.fieldRow;
  const FieldOutcome outcome = applyFieldRule(*fieldRow.rule, field.box->text().toStdString());
  if (outcome.message != MessageId::None) {
    const std::int16_t part = partOfMessages_ ? partOfMessages_() : field.part;
    const auto index = controlIndex(fieldRow.index, field.part, field.point);
    operator_.message(
        qText(expandPattern(fieldRow.messagePrefix, part, field.point, index) + messageText(outcome.message)),
        owner_ ? owner_->window() : nullptr);
  }
  field.box->setText(qText(outcome.text));
  if (float* value = slotValue(values_[field.part], fieldRow.slot, field.point); value && outcome.value)
    *value = *outcome.value;
}

}  // namespace rx41
