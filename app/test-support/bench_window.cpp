#include "bench_window.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>

#include "rx41/core/device_connection.h"

namespace rx041::test {

BenchWindow::BenchWindow(int comNumber) : com(comNumber), bench(bench::BenchOptions{.comNumber = comNumber}) {}

void BenchWindow::open(const rx41::WorkingWindowEntry& entry) { window = entry.make(op, state); }

void BenchWindow::pickBenchPortNext() {
  op.modalHandlers.push_back([this](QDialog& portWindow) {
    auto* list = findControl<QComboBox>(portWindow, QStringLiteral("Port"));
    list->setCurrentIndex(list->findText(QStringLiteral("COM%1").arg(com)));
    findControl<QAbstractButton>(portWindow, QStringLiteral("Connect"))->click();
  });
}

void BenchWindow::connect() {
  pickBenchPortNext();
  click(QStringLiteral("connect"));
}

void BenchWindow::connectDevice() {
  QVERIFY(rx41::DeviceConnection(machine).ConnectDevice(static_cast<std::int16_t>(com)));
  machine.ProgrammerChangeToState(rx41::kOffline, rx41::kConnected);
}

void BenchWindow::turnMagnets(double degrees) {
  for (int part = 0; part < 2; ++part) bench.setAngle(part, degrees);
}

}  // namespace rx041::test
