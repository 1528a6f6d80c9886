#include "rx41/core/profile_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <string_view>
#include <utility>

#include "rx41/core/field_box.h"
#include "rx41/core/field_set.h"

namespace rx41 {
namespace {

QString qText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// How the line's value is read from its control and put back.
std::pair<ProfileBinding::Reader, ProfileBinding::Writer> access(const ProfileRow& row, const FieldSet::Field& field) {
  QCheckBox* tick = field.tick;
  switch (row.value) {
    case ProfileValue::Text: {
      FieldBox* box = field.box;
      return {[box] { return box->text(); }, [box](const QString& value) { box->setText(value); }};
    }
    case ProfileValue::Index: {
      QComboBox* list = field.list;
      return {[list] { return QString::number(list->currentIndex()); },
              [list](const QString& value) { list->setCurrentIndex(*profileInteger(value.toStdString())); }};
    }
    case ProfileValue::Tick:
      return {[tick] { return tick->isChecked() ? QStringLiteral("1") : QStringLiteral("0"); },
              [tick](const QString& value) { tick->setChecked(*profileInteger(value.toStdString()) == 1); }};
    case ProfileValue::Words: {
      const QString ticked = qText(row.field->words->ticked);
      const QString unticked = qText(row.field->words->unticked);
      return {[tick, ticked, unticked] { return tick->isChecked() ? ticked : unticked; },
              [tick, ticked](const QString& value) { tick->setChecked(value == ticked); }};
    }
    case ProfileValue::Heading: break;
  }
  return {};
}

}  // namespace

void ProfileBinding::addLine(const QString& label, Reader read, Writer write, Checker check) {
  lines_.append({label, std::move(read), std::move(write), std::move(check)});
}

void ProfileBinding::addRows(const std::vector<ProfileRow>& rows, const FieldSet& fields) {
  for (const ProfileRow& row : rows) {
    const QString label = QString::fromStdString(row.label);
    if (row.value == ProfileValue::Heading) {
      addLine(label, nullptr, nullptr, nullptr);
      continue;
    }
    const auto [read, write] = access(row, fields.at(row.field->name, row.part, row.point));
    Checker check;
    if (const int choices = profileChoices(row))
      check = [choices](const QString& value) { return profileChoiceError(value.toStdString(), choices); };
    addLine(label, read, write, check);
  }
}

ProfileLayout ProfileBinding::layout() const {
  ProfileLayout layout;
  for (const Line& line : lines_) layout.append({line.label, static_cast<int>(line.label.size()) + 1});
  return layout;
}

QStringList ProfileBinding::values() const {
  QStringList values;
  for (const Line& line : lines_) values << (line.read ? line.read() : QString());
  return values;
}

int ProfileBinding::check(const QStringList& values) const {
  for (qsizetype i = 0; i < lines_.size() && i < values.size(); ++i)
    if (lines_[i].check)
      if (const int error = lines_[i].check(values[i])) return error;
  return 0;
}

void ProfileBinding::apply(const QStringList& values) const {
  for (qsizetype i = 0; i < lines_.size() && i < values.size(); ++i)
    if (lines_[i].write) lines_[i].write(values[i]);
}

void ProfileBinding::save(OperatorInterface& operatorInterface, QWidget* owner) const {
  saveProfile(operatorInterface, owner, layout(), values());
}

void ProfileBinding::load(OperatorInterface& operatorInterface, QWidget* owner) const {
  const auto contents = loadProfile(operatorInterface, owner, layout());
  if (!contents) return;
  const int error = contents->errorNumber ? contents->errorNumber : check(contents->values);
  if (error) {
    reportProfileError(operatorInterface, owner, error);
    return;
  }
  apply(contents->values);
  if (afterLoad_) afterLoad_();
}

}  // namespace rx41
