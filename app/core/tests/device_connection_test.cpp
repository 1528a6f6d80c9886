#include "rx41/core/device_connection.h"

#include <unistd.h>

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "qt_test_main.h"
#include "rx041/test_support/pty_pair.h"
#include "rx041/test_support/recording_device.h"
#include "rx041/test_support/temp_dir.h"
#include "rx041/transport/serial_device.h"
#include "rx41/core/frm_comport.h"
#include "scripted_operator.h"

namespace {

using rx041::test::PtyPair;
using rx041::test::RecordingDevice;
using rx041::test::ScopedEnv;
using rx041::test::TempDir;

QStringList callTexts(const RecordingDevice& device) {
  QStringList out;
  for (const auto& text : device.script().callTexts()) out << QString::fromStdString(text);
  return out;
}

QComboBox* portList(QWidget& window) { return window.findChild<QComboBox*>("Port"); }

void press(QWidget& window, const char* name) { window.findChild<QPushButton*>(name)->click(); }

QStringList entries(QComboBox* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
  return out;
}

}  // namespace

class DeviceConnectionTest : public QObject {
  Q_OBJECT

  // Each test gets its own empty port map and trace directory.
  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<ScopedEnv> ports_, trace_;

  void linkPort(int number, const std::filesystem::path& device) {
    std::filesystem::create_directory_symlink(device, dir_->path() / ("COM" + std::to_string(number)));
  }

 private slots:
  void init() {
    dir_ = std::make_unique<TempDir>();
    ports_ = std::make_unique<ScopedEnv>("RX041_PORTS", dir_->path().c_str());
    trace_ = std::make_unique<ScopedEnv>("RX041_TRACE_DIR", dir_->path().c_str());
  }
  void cleanup() {
    trace_.reset();
    ports_.reset();
    dir_.reset();
  }

  void connectDeviceConnectsTheChannelToThePort() {
    rx041::test::ScriptedOperator op;
    rx41::AppState state;
    rx41::StateMachine machine(state, op);
    auto device = std::make_shared<RecordingDevice>();
    rx41::DeviceConnection connection(machine, [&] { return device; });
    QVERIFY(connection.ConnectDevice(7));
    QCOMPARE(state.Device, std::static_pointer_cast<rx041::zq3902::IZQ3902Device>(device));
    QCOMPARE(callTexts(*device), QStringList{"ConnectChannel(7)"});
    QCOMPARE(device->script().calls[0].args[0].type(), rx041::com::VarType::I4);
    QVERIFY(op.messages.isEmpty());

    connection.ReleaseDevice();
    QVERIFY(!state.Device);
    QCOMPARE(callTexts(*device), (QStringList{"ConnectChannel(7)", "Destroy(True)"}));
    connection.ReleaseDevice();  // nothing left to release
    QCOMPARE(device->script().calls.size(), std::size_t{2});
  }

  void failuresAreReportedAndLeaveNoDevice() {
    rx041::test::ScriptedOperator op;
    rx41::AppState state;
    rx41::StateMachine machine(state, op);
    rx41::DeviceConnection noLibrary(machine, [] { return nullptr; });
    QVERIFY(!noLibrary.ConnectDevice(1));
    QCOMPARE(op.messages, QStringList{"Error: CANNOT Create Objects!"});
    QVERIFY(!state.Device);

    op.messages.clear();
    auto device = std::make_shared<RecordingDevice>();
    device->script().answer("ConnectChannel", 1);
    rx41::DeviceConnection refused(machine, [&] { return device; });
    QVERIFY(!refused.ConnectDevice(4));
    QCOMPARE(op.messages, QStringList{"Failed in Connecting Channel"});
    QCOMPARE(callTexts(*device), (QStringList{"ConnectChannel(4)", "Destroy(True)"}));
    QVERIFY(!state.Device);
  }

  void missingDeviceLibraryCannotCreateTheObject() {
    const auto registry = dir_->path() / "classes.reg";
    std::ofstream{registry} << "";
    ScopedEnv useRegistry("RX041_REGISTRY", registry.c_str());
    rx041::test::ScriptedOperator op;
    rx41::AppState state;
    rx41::StateMachine machine(state, op);
    rx41::DeviceConnection connection(machine);
    QVERIFY(!connection.ConnectDevice(1));
    QCOMPARE(op.messages, QStringList{"Error: CANNOT Create Objects!"});
  }

  void withoutPortsTheListIsDisabledAndOkRefuses() {
    rx041::test::ScriptedOperator op;
    rx41::frmComport window(op);
    window.show();
    QVERIFY(portList(window)->count() == 0);
    QVERIFY(!portList(window)->isEnabled());
    press(window, "Connect");
    QCOMPARE(op.messages, QStringList{"This port is invalid, Please select another port!"});
    QVERIFY(window.isVisible());
    QCOMPARE(window.SelectedCOM(), std::int16_t{0});
    press(window, "Donotconnect");
    QVERIFY(!window.isVisible());
    QCOMPARE(window.SelectedCOM(), std::int16_t{0});
    QVERIFY(window.findChild<QWidget*>("Label2")->isHidden());
    QVERIFY(window.findChild<QWidget*>("Baudrate")->isHidden());
    QCOMPARE(window.findChild<QComboBox*>("Baudrate")->currentText(), QString("9600"));
  }

  void aFreePortIsListedAndAccepted() {
    PtyPair line;
    linkPort(3, line.slavePath());
    linkPort(5, dir_->path() / "no-such-device");
    rx041::test::ScriptedOperator op;
    rx41::frmComport window(op);
    window.show();
    QCOMPARE(entries(portList(window)), QStringList{"COM3"});
    QVERIFY(portList(window)->isEnabled());
    QCOMPARE(portList(window)->currentText(), QString("COM3"));
    press(window, "Connect");
    QVERIFY(op.messages.isEmpty());
    QVERIFY(!window.isVisible());
    QCOMPARE(window.SelectedCOM(), std::int16_t{3});
  }

  void aBusyPortIsListedButRefused() {
    PtyPair line;
    linkPort(12, line.slavePath());
    const auto held = rx041::transport::openSerialDevice(line.slavePath());
    QVERIFY(held);
    rx041::test::ScriptedOperator op;
    rx41::frmComport window(op);
    window.show();
    QCOMPARE(entries(portList(window)), QStringList{"COM12"});
    press(window, "Connect");
    QCOMPARE(op.messages, QStringList{"This port is invalid, Please select another port!"});
    QVERIFY(window.isVisible());
    // Closing the window after the refusal leaves the operator offline.
    window.close();
    QCOMPARE(window.SelectedCOM(), std::int16_t{0});
    ::close(held.fd);
  }

  void droppingTheListDownProbesAgain() {
    rx041::test::ScriptedOperator op;
    rx41::frmComport window(op);
    window.show();
    QCOMPARE(portList(window)->count(), 0);
    PtyPair line;
    linkPort(9, line.slavePath());
    portList(window)->setEnabled(true);
    portList(window)->showPopup();
    QCOMPARE(entries(portList(window)), QStringList{"COM9"});
    portList(window)->hidePopup();
  }

  void connectSequenceRecordsTheConnectionAndPowersOff() {
    PtyPair line;
    linkPort(2, line.slavePath());
    rx041::test::ScriptedOperator op;
    rx41::AppState state;
    state.ChipState[1] = rx41::kAdcMode;
    rx41::StateMachine machine(state, op);
    auto device = std::make_shared<RecordingDevice>();
    rx41::DeviceConnection connection(machine, [&] { return device; });
    QStringList status;
    const rx41::StatusSink sink = [&](const QString& text) { status << text; };

    op.modalHandlers.push_back([](QDialog& w) { press(w, "Connect"); });
    QVERIFY(connection.connectWithPortWindow(nullptr, sink));
    QCOMPARE(op.modalWindows, QStringList{"Select Com port"});
    QCOMPARE(status, QStringList{"In transition to Connecting with Programmer..."});
    QCOMPARE(callTexts(*device), (QStringList{"ConnectChannel(2)", "Customized_PowerOff(1)", "Customized_SetADCMode(1)",
                                              "Customized_Mode0V(1)"}));
    QCOMPARE(state.ProgrammerState, rx41::kConnected);
    QCOMPARE(state.ChipState[1], rx41::kPowerOff);

    connection.disconnect(sink);
    QCOMPARE(status.last(), QString("Disconnect with Programmer...In transition to Offline Mode..."));
    QCOMPARE(callTexts(*device).last(), QString("Destroy(True)"));
    QVERIFY(!state.Device);
    QCOMPARE(state.ProgrammerState, rx41::kOffline);
  }

  void connectSequenceStaysOfflineWithoutAPortOrAChannel() {
    PtyPair line;
    linkPort(2, line.slavePath());
    rx041::test::ScriptedOperator op;
    rx41::AppState state;
    rx41::StateMachine machine(state, op);
    int created = 0;
    auto device = std::make_shared<RecordingDevice>();
    device->script().answer("ConnectChannel", 1);
    rx41::DeviceConnection connection(machine, [&] {
      ++created;
      return device;
    });

    op.modalHandlers.push_back([](QDialog& w) { press(w, "Donotconnect"); });
    QVERIFY(!connection.connectWithPortWindow(nullptr));
    QVERIFY(!connection.connectWithPortWindow(nullptr));  // closed with the close box
    QCOMPARE(created, 0);

    op.modalHandlers.push_back([](QDialog& w) { press(w, "Connect"); });
    QVERIFY(!connection.connectWithPortWindow(nullptr));
    QCOMPARE(op.messages, QStringList{"Failed in Connecting Channel"});
    QCOMPARE(state.ProgrammerState, rx41::kOffline);
    QVERIFY(!state.Device);
  }
};

RX041_QT_TEST(DeviceConnectionTest)
#include "device_connection_test.moc"
