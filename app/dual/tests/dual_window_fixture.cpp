#include "dual_window_fixture.h"

#include <QCheckBox>

#include "rx41/dual/dual_windows.h"

namespace dual_test {

const rx41::WorkingWindowEntry& dualWindow(rx41::Sources sources) {
  return *rx41::findWorkingWindow(rx41::dualWindowEntries(), sources == rx41::Sources::Single ? "/0" : "/1");
}

DualBench::DualBench(rx41::Sources sources) : rx041::test::WindowBench(dualWindow(sources)) {}

void DualBench::connectAndPowerOn(std::int16_t part) {
  healthyChip();
  connect();
  const QString index = QString::number(part);
  if (auto* box = control<QCheckBox>("PartEnable(" + index + ")")) box->setChecked(true);
  click(control("PowerOn(" + index + ")") ? "PowerOn(" + index + ")" : "PowerOn(0)");
  forgetCalls();
}

void DualBench::typeTwoPoints(std::int16_t part) {
  const int first = 4 * part;
  type(QStringLiteral("Angle(%1)").arg(first), "40");
  type(QStringLiteral("Angle(%1)").arg(first + 1), "140");
  type(QStringLiteral("Level(%1)").arg(first), "10");
  type(QStringLiteral("Level(%1)").arg(first + 1), "90");
}

QString DualBench::states(const QStringList& names) const {
  QStringList out;
  for (const QString& name : names) out << (!control(name) ? "-" : enabled(name) ? "E" : "D");
  return out.join(' ');
}

}  // namespace dual_test
