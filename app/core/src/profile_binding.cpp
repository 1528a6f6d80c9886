#include "rx41/core/profile_binding.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace rx41 {

void ProfileBinding::addLine(const QString& label, Reader read, Writer write, Checker check) {
  lines_.append({label, std::move(read), std::move(write), std::move(check)});
}

void ProfileBinding::addHeading(const QString& label) { lines_.append({label, nullptr, nullptr, nullptr}); }

void ProfileBinding::addText(const QString& label, QLineEdit& box) {
  addLine(
      label, [&box] { return box.text(); }, [&box](const QString& value) { box.setText(value); });
}

void ProfileBinding::addIndex(const QString& label, QComboBox& list) {
  addLine(
      label, [&list] { return QString::number(list.currentIndex()); },
      [&list](const QString& value) { list.setCurrentIndex(*profileInteger(value.toStdString())); },
      [&list](const QString& value) { return profileChoiceError(value.toStdString(), list.count()); });
}

void ProfileBinding::addTick(const QString& label, QAbstractButton& box) {
  addLine(
      label, [&box] { return box.isChecked() ? QStringLiteral("1") : QStringLiteral("0"); },
      [&box](const QString& value) { box.setChecked(*profileInteger(value.toStdString()) == 1); },
      [](const QString& value) { return profileChoiceError(value.toStdString(), 2); });
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
