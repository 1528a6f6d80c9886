#include "window_bench.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QMap>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "rx041/records/record_file.h"
#include "rx41/core/wait_form.h"
#include "rx41/operator/control_names.h"

namespace rx041::test {

void WindowDriver::click(const QString& name) {
  auto* button = control<QAbstractButton>(name);
  if (!button) qFatal("no button %s", qPrintable(name));
  button->click();
}

void WindowDriver::press(const QString& name) {
  auto* button = control<QAbstractButton>(name);
  QVERIFY2(button && button->isEnabled(), qPrintable(name + QStringLiteral(" is not offered")));
  button->click();
}

void WindowDriver::type(const QString& name, const QString& text) {
  auto* field = control<QLineEdit>(name);
  if (!field) qFatal("no field %s", qPrintable(name));
  field->setText(text);
  QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(field, &leave);
}

QString WindowDriver::text(const QString& name) const {
  if (auto* field = control<QLineEdit>(name)) return field->text();
  if (auto* button = control<QAbstractButton>(name)) return button->text();
  if (auto* list = control<QComboBox>(name)) return list->currentText();
  return QStringLiteral("<no %1>").arg(name);
}

bool WindowDriver::enabled(const QString& name) const {
  auto* widget = control(name);
  return widget && widget->isEnabled();
}

void WindowDriver::show() {
  window->setAttribute(Qt::WA_DontShowOnScreen);
  window->show();
}

namespace {

// Samples the wait window at every pass of the event loop while it lives;
// its queued calls go with it.
class WaitSampler final : public QObject {
 public:
  explicit WaitSampler(const QWidget& window) : window_(window) { sampleLater(); }
  QStringList shown;

 private:
  void sampleLater() { QMetaObject::invokeMethod(this, &WaitSampler::sample, Qt::QueuedConnection); }
  void sample() {
    // By its name: the window's other dialogs would pass for a waitform in a cast.
    if (auto* wait = findControl<QDialog>(window_, "waitform"); wait && wait->isVisible())
      if (const QString text = static_cast<rx41::waitform*>(wait)->text(); shown.isEmpty() || shown.back() != text)
        shown << text;
    sampleLater();
  }
  const QWidget& window_;
};

}  // namespace

QStringList WindowDriver::waitTexts(const std::function<void()>& action) const {
  WaitSampler sampler(*window);
  action();
  return sampler.shown;
}

WindowBench::WindowBench(const WindowMaker& make) {
  std::filesystem::create_directory_symlink(line.slavePath(), dir.path() / "COM3");
  window = make(op, state, [this] {
    ++devicesCreated;
    return device;
  });
}

WindowBench::WindowBench(const rx41::WorkingWindowEntry& entry)
    : WindowBench(
          [&entry](rx41::OperatorInterface& operatorInterface, rx41::AppState& appState, rx41::DeviceFactory factory) {
            return entry.make(operatorInterface, appState, std::move(factory));
          }) {}

void WindowBench::healthyChip() {
  auto& script = device->script();
  script.answer("MeasureVdd", 5.0);
  script.answer("MemRead", 0x31);
  script.dac[0] = script.dac[2] = rx41::kDefaultDacK;
}

void WindowBench::connect(bool choosePort) {
  op.modalHandlers.push_back([choosePort](QDialog& portWindow) {
    portWindow.findChild<QAbstractButton*>(choosePort ? "Connect" : "Donotconnect")->click();
  });
  click("connect");
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

QStringList repeatedDesignNames(const QWidget& window) {
  QMap<QString, int> counts;
  for (const QWidget* control : window.findChildren<QWidget*>())
    if (const QString name = rx41::designNameOf(*control); !name.isEmpty()) ++counts[name];
  QStringList repeated;
  for (auto count = counts.cbegin(); count != counts.cend(); ++count)
    if (count.value() > 1) repeated << count.key();
  return repeated;
}

QStringList unnamedControls(const QWidget& window) {
  QStringList unnamed;
  for (const QWidget* control : window.findChildren<QWidget*>()) {
    const bool operated = qobject_cast<const QAbstractButton*>(control) || qobject_cast<const QLineEdit*>(control) ||
                          qobject_cast<const QComboBox*>(control) || qobject_cast<const QGroupBox*>(control);
    // A list's own line edit belongs to the list.
    const bool partOfList = qobject_cast<const QComboBox*>(control->parentWidget());
    if (operated && !partOfList && rx41::designNameOf(*control).isEmpty())
      unnamed << QString::fromLatin1(control->metaObject()->className());
  }
  return unnamed;
}

QMap<QString, QString> settingsShown(const QWidget& window) {
  QMap<QString, QString> shown;
  for (const auto* box : window.findChildren<QLineEdit*>()) shown[rx41::designNameOf(*box)] = box->text();
  for (const auto* tick : window.findChildren<QAbstractButton*>())
    if (tick->isCheckable()) shown[rx41::designNameOf(*tick)] = tick->isChecked() ? "ticked" : "clear";
  for (const auto* list : window.findChildren<QComboBox*>()) shown[rx41::designNameOf(*list)] = list->currentText();
  shown.remove(QString());
  return shown;
}

std::vector<rx041::records::ProgrammingRecord> programmingRecords() {
  std::ifstream file(rx041::records::recordFilePath());
  std::vector<rx041::records::ProgrammingRecord> out;
  for (auto& numbered : rx041::records::readRecords(file).records) out.push_back(std::move(numbered.record));
  return out;
}

rx41::CurveTables expectedCurveTables(const ExpectedCurve& expected) {
  rx41::CurveTables tables;
  const std::int16_t p = expected.part;
  std::copy(&expected.points[0][0], &expected.points[0][0] + 8, &tables.Points[p][0][0]);
  tables.PartDP[p] = expected.dp;
  tables.PartClampHigh[p] = expected.clampHigh;
  tables.PartClampLow[p] = expected.clampLow;
  tables.PartClockwise[p] = expected.clockwise ? rx41::kTrue16 : rx41::kFalse16;
  rx41::BuildCurve(tables, expected.mode, p, {});
  return tables;
}

bool sameCurve(const rx41::CurveTables& a, const rx41::CurveTables& b, std::int16_t part) {
  return std::equal(&a.Curve[part][0][0], &a.Curve[part][0][0] + 2 * rx41::kCurveRows, &b.Curve[part][0][0]);
}

bool drawnNear(rx41::CurvePlot& plot, double x, double y, const QColor& colour) {
  const QImage image = plot.grab().toImage();
  const QPoint centre = plot.toWidget({x, y}).toPoint();
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      if (image.pixelColor(centre + QPoint(dx, dy)) == colour) return true;
  return false;
}

}  // namespace rx041::test
