// The connection path end to end: the port window, the device library created
// by class name, its channel and the virtual bench behind a COM number.
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "bench_window.h"
#include "qt_test_main.h"
#include "rx41/core/device_connection.h"

class ConnectionBenchTest : public QObject {
  Q_OBJECT

 private slots:
  void connectsDrivesThePartsAndDisconnects() {
    rx041::test::BenchWindow b(4);
    auto [bench, op, state, machine] = std::tie(b.bench, b.op, b.state, b.machine);
    rx41::DeviceConnection connection(machine);
    QStringList listed;
    op.modalHandlers.push_back([&](QDialog& window) {
      auto* list = window.findChild<QComboBox*>("Port");
      for (int i = 0; i < list->count(); ++i) listed << list->itemText(i);
      window.findChild<QPushButton*>("Connect")->click();
    });
    QVERIFY(connection.connectWithPortWindow(nullptr));
    QCOMPARE(listed, QStringList{"COM4"});
    QCOMPARE(op.messages, QStringList{});
    QVERIFY(state.Device);
    QCOMPARE(state.ProgrammerState, rx41::kConnected);

    auto partState = [&](int part) { return QString::fromStdString(bench.control("state " + std::to_string(part))); };
    QVERIFY2(partState(0).contains("power=off"), qPrintable(partState(0)));
    machine.returnToAdcMode(0);
    QCOMPARE(state.ChipState[0], rx41::kAdcMode);
    QVERIFY2(partState(0).contains("power=on mode=adc"), qPrintable(partState(0)));
    QVERIFY(machine.ensureOwiMode(0));
    QVERIFY2(partState(0).contains("mode=owi owi=entered"), qPrintable(partState(0)));
    QVERIFY(machine.ChipChangeToState(0, state.ChipState[0], rx41::kPowerOff));
    QVERIFY2(partState(0).contains("power=off"), qPrintable(partState(0)));
    QVERIFY2(partState(1).contains("power=off"), qPrintable(partState(1)));
    QCOMPARE(op.messages, QStringList{});

    const auto framesBefore = bench.frames().size();
    connection.disconnect();
    QVERIFY(!state.Device);
    QCOMPARE(state.ProgrammerState, rx41::kOffline);
    QCOMPARE(bench.frames().size(), framesBefore);
  }

  void aPortThatCannotBeOpenedIsNotTakenForAConnection() {
    rx041::test::BenchWindow b(4);
    const auto& dir = b.dir;
    // Another program holds COM4; COM5 leads to a regular file.
    const auto holder = rx41::createDeviceObject();
    std::int32_t result = -1;
    QVERIFY(rx041::com::succeeded(holder->ConnectChannel(rx041::com::Variant(std::int32_t{4}), &result)));
    QCOMPARE(result, 0);
    { std::ofstream(dir / "file") << "not a port"; }
    std::filesystem::create_symlink(dir / "file", dir / "COM5");

    for (const std::int16_t port : {std::int16_t{4}, std::int16_t{5}}) {
      rx041::test::ScriptedOperator op;
      rx41::AppState state;
      rx41::StateMachine machine(state, op);
      QVERIFY2(!rx41::DeviceConnection(machine).ConnectDevice(port), qPrintable(QString::number(port)));
      QCOMPARE(op.messages, QStringList{"Failed in Connecting Channel"});
      QVERIFY(!state.Device);
    }
    holder->Destroy(rx041::com::VARIANT_TRUE);
  }
};

RX041_QT_TEST_REAL_WAITS(ConnectionBenchTest)
#include "connection_bench_test.moc"
