#pragma once
// Every control carries its design name (with the index of a control array:
// "Angle(5)") as object name, for findChild and scripts, and as accessible
// description, for UI automation. Its accessible name stays what the operator
// sees, so that screen readers read it: a button's caption as it changes, a
// label's text, a text box's label (its buddy), a window's title.
#include <QString>
#include <QWidget>

namespace rx41 {

void setControlName(QWidget& control, const QString& name);
void setControlName(QWidget& control, const QString& name, int index);

// The name of element index of a control array: "Angle(5)".
QString arrayControlName(const QString& name, int index);

// The design name a control carries; empty for a control without one.
QString designNameOf(const QWidget& control);

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
