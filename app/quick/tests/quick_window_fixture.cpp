#include "quick_window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <filesystem>

namespace quick_test {

WindowBench::WindowBench(PowerButton powerButton) {
  std::filesystem::create_directory_symlink(line.slavePath(), dir.path() / "COM3");
  window = std::make_unique<rx41::MainForm2PointsProgramming>(op, powerButton, state, [this] {
    ++devicesCreated;
    return device;
  });
}

void WindowBench::healthyChip() {
  auto& script = device->script();
  script.answer("MeasureVdd", 5.0);
  script.answer("MemRead", 0x31);
  script.dac[0] = script.dac[2] = rx41::kDefaultDacK;
}

void WindowBench::connect(bool choosePort) {
  op.modalHandlers.push_back([choosePort](QDialog& portWindow) {
    portWindow.findChild<QPushButton*>(choosePort ? "Connect" : "Donotconnect")->click();
  });
  click("connect");
}

void WindowBench::click(const QString& name) {
  auto* button = control<QPushButton>(name);
  if (!button) qFatal("no button %s", qPrintable(name));
  button->click();
}

void WindowBench::type(const QString& name, const QString& text) {
  auto* field = control<QLineEdit>(name);
  if (!field) qFatal("no field %s", qPrintable(name));
  field->setText(text);
  QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(field, &leave);
}

QString WindowBench::text(const QString& name) const {
  if (auto* field = control<QLineEdit>(name)) return field->text();
  if (auto* button = control<QAbstractButton>(name)) return button->text();
  if (auto* list = control<QComboBox>(name)) return list->currentText();
  return QStringLiteral("<no %1>").arg(name);
}

bool WindowBench::enabled(const QString& name) const {
  auto* widget = control(name);
  return widget && widget->isEnabled();
}

QStringList WindowBench::calls() const {
  QStringList out;
  for (const auto& call : device->script().callTexts()) out << QString::fromStdString(call);
  return out;
}

QStringList WindowBench::calls(const std::string& member) const {
  QStringList out;
  for (const auto& call : device->script().callTexts(member)) out << QString::fromStdString(call);
  return out;
}

QString buttonStates(const WindowBench& bench) {
  const auto state = [&](const QString& name) {
    if (!bench.control(name)) return QStringLiteral("-");
    return bench.enabled(name) ? QStringLiteral("E") : QStringLiteral("D");
  };
  return QStringLiteral("A %1 B %2 P %3").arg(state("SetpointA"), state("SetpointB"), state("PowerOn"));
}

}  // namespace quick_test
