#pragma once
// Every control carries its name as object name (for findChild and scripts)
// and as accessible name (for screen readers and UI automation). Control
// arrays append the index: "Angle(5)".
#include <QString>
#include <QWidget>

namespace rx41 {

void setControlName(QWidget& control, const QString& name);
void setControlName(QWidget& control, const QString& name, int index);

// The name of element index of a control array: "Angle(5)".
QString arrayControlName(const QString& name, int index);

// setControlName for a control just created: named(new QLabel(this), "Label1").
template <class Control>
Control* named(Control* control, const QString& name) {
  setControlName(*control, name);
  return control;
}

template <class Control>
Control* named(Control* control, const QString& name, int index) {
  setControlName(*control, name, index);
  return control;
}

}  // namespace rx41
