#include "debug_form.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <memory>

#include "console_port.h"
#include "qt_test_main.h"
#include "rx041/bench/bench.h"
#include "rx041/test_support/pty_pair.h"
#include "rx041/test_support/temp_dir.h"
#include "rx041/transport/serial_device.h"
#include "scripted_operator.h"

using namespace std::chrono_literals;
using rx041::launcher::ConsolePort;
using rx041::launcher::DebugForm;
using rx041::test::PtyPair;

namespace {

const QString kInvalidPort = "This port is invalid, Please select another port!";

// A console on a port map of its own; COM links are made before open().
struct Console {
  rx041::test::TempDir portDir;
  rx041::test::ScopedEnv portMap{"RX041_PORTS", portDir.path().c_str()};
  rx041::test::ScriptedOperator op;
  std::unique_ptr<DebugForm> form;

  void link(int com, const std::filesystem::path& device) const {
    std::filesystem::create_symlink(device, portDir / ("COM" + std::to_string(com)));
  }
  DebugForm& load() {
    form = std::make_unique<DebugForm>(op);
    return *form;
  }
  template <class Control>
  Control& get(const QString& name) const {
    auto* control = form->findChild<Control*>(name);
    if (!control) qFatal("no control %s", qPrintable(name));
    return *control;
  }
  QString command() const { return get<QLineEdit>("CmdToBeSent").text(); }
  QString received() const { return get<QPlainTextEdit>("SendReceiveBox").toPlainText(); }
  QStringList ports() const {
    QStringList names;
    auto& list = get<QComboBox>("Port");
    for (int i = 0; i < list.count(); ++i) names << list.itemText(i);
    return names;
  }
  void choose(int group, int row) const {
    get<QRadioButton>(QStringLiteral("CmdType(%1)").arg(group)).click();
    get<QListWidget>("CmdList").setCurrentRow(row);
  }
  void part(int channel) const { get<QRadioButton>(QStringLiteral("Ch(%1)").arg(channel)).click(); }
  void press(const char* button) const { get<QPushButton>(QLatin1String(button)).click(); }
  bool portOpen() const { return get<ConsolePort>("ComDebug").isOpen(); }
};

}  // namespace

class DebugFormTest : public QObject {
  Q_OBJECT

 private slots:
  void loadsWithTheFirstRelayCommandForCh1() {
    Console console;
    console.load();
    QVERIFY(console.get<QRadioButton>("CmdType(0)").isChecked());
    QVERIFY(console.get<QRadioButton>("Ch(0)").isChecked());
    QCOMPARE(console.get<QListWidget>("CmdList").currentRow(), 0);
    QCOMPARE(console.command(), QString("$R,P,O,1,FF,FF#"));
    for (const char* field : {"add", "Data"}) {
      QCOMPARE(console.get<QLineEdit>(field).text(), QString("00"));
      QVERIFY(!console.get<QLineEdit>(field).isEnabled());
    }
    QCOMPARE(console.received(), QString("--->>>"));
    QCOMPARE(console.get<QGroupBox>("Frame2").title(), QString("Command Type Selection"));
    QCOMPARE(console.get<QGroupBox>("Frame1").title(), QString("Part# Selection"));
    QCOMPARE(console.get<QPushButton>("OpenComm").accessibleDescription(), QString("OpenComm"));
    QVERIFY(console.op.messages.isEmpty());
  }

  void groupsListTheirCommandsInOrder_data() {
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("relay") << 0 << "Relay Control"
                           << QStringList{"00:Power On (single relay)", "01:Power Off (single relay)",
                                          "02:Measure VDD to Chip",     "03:Measure Analog from Chip",
                                          "04:Programmer OWI mode",     "05:Programmer ADC mode"};
    QTest::newRow("communication") << 1 << "Communication" << QStringList{"10:OWI Read", "11:OWI Write"};
    QTest::newRow("owi") << 2 << "OWI Commands" << QStringList{"20:OWI Connect both Parts",
                                                               "21:OWI Connect selected",
                                                               "22:OWI Exit",
                                                               "23:OWI Erase",
                                                               "24:OWI Store",
                                                               "25:OWI Load"};
    QTest::newRow("others") << 3 << "Others"
                            << QStringList{"30:Get Programmer ADC Measurement", "31:Get Programmer firmware version"};
  }
  void groupsListTheirCommandsInOrder() {
    QFETCH(int, group);
    QFETCH(QString, caption);
    QFETCH(QStringList, items);
    Console console;
    console.load();
    auto& option = console.get<QRadioButton>(QStringLiteral("CmdType(%1)").arg(group));
    QCOMPARE(option.text(), caption);
    console.get<QRadioButton>(QStringLiteral("CmdType(%1)").arg((group + 1) % 4)).click();
    option.click();
    auto& list = console.get<QListWidget>("CmdList");
    // Choosing a group only lists it: no item is chosen and the text stays.
    QCOMPARE(list.currentRow(), -1);
    QCOMPARE(console.command(), QString("$R,P,O,1,FF,FF#"));
    QStringList shown;
    for (int i = 0; i < list.count(); ++i) shown << list.item(i)->text();
    QCOMPARE(shown, items);
  }

  void everyCommandIsBuiltForBothParts_data() {
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("forCh1");
    QTest::addColumn<QString>("forCh2");
    QTest::newRow("00") << 0 << 0 << "$R,P,O,1,FF,FF#"
                        << "$R,P,O,2,FF,FF#";
    QTest::newRow("01") << 0 << 1 << "$R,P,F,1,FF,FF#"
                        << "$R,P,F,2,FF,FF#";
    QTest::newRow("02") << 0 << 2 << "$R,M,V,1,FF,FF#"
                        << "$R,M,V,2,FF,FF#";
    QTest::newRow("03") << 0 << 3 << "$R,M,A,1,FF,FF#"
                        << "$R,M,A,2,FF,FF#";
    QTest::newRow("04") << 0 << 4 << "$R,D,O,1,FF,FF#"
                        << "$R,D,O,2,FF,FF#";
    QTest::newRow("05") << 0 << 5 << "$R,D,A,1,FF,FF#"
                        << "$R,D,A,2,FF,FF#";
    QTest::newRow("10") << 1 << 0 << "$C,O,R,1,4a,FF#"
                        << "$C,O,R,2,4a,FF#";
    QTest::newRow("11") << 1 << 1 << "$C,O,W,1,4a,7F#"
                        << "$C,O,W,2,4a,7F#";
    QTest::newRow("20") << 2 << 0 << "$M,E,W,0,1f,55#"
                        << "$M,E,W,0,1f,55#";
    QTest::newRow("21") << 2 << 1 << "$M,E,W,1,1f,55#"
                        << "$M,E,W,2,1f,55#";
    QTest::newRow("22") << 2 << 2 << "$M,e,W,1,1f,55#"
                        << "$M,e,W,2,1f,55#";
    QTest::newRow("23") << 2 << 3 << "$M,A,W,1,52,FF#"
                        << "$M,A,W,2,52,FF#";
    QTest::newRow("24") << 2 << 4 << "$M,S,W,1,50,FF#"
                        << "$M,S,W,2,50,FF#";
    QTest::newRow("25") << 2 << 5 << "$M,L,W,1,1f,55#"
                        << "$M,L,W,2,1f,55#";
    QTest::newRow("30") << 3 << 0 << "$M,T,W,0,FF,FF#"
                        << "$M,T,W,0,FF,FF#";
    QTest::newRow("31") << 3 << 1 << "$V,V,R,0,FF,FF#"
                        << "$V,V,R,0,FF,FF#";
  }
  void everyCommandIsBuiltForBothParts() {
    QFETCH(int, group);
    QFETCH(int, row);
    QFETCH(QString, forCh1);
    QFETCH(QString, forCh2);
    Console console;
    console.load();
    // Address and data are taken as typed, case and all.
    console.get<QLineEdit>("add").setText("4a");
    console.get<QLineEdit>("Data").setText("7F");
    console.choose(group, row);
    QCOMPARE(console.command(), forCh1);
    console.part(1);
    QCOMPARE(console.command(), forCh2);
    console.part(0);
    QCOMPARE(console.command(), forCh1);
    QVERIFY(console.op.messages.isEmpty());
  }

  void owiReadEnablesTheAddressUntilSent() {
    Console console;
    console.load();
    console.get<QLineEdit>("add").setText("48");
    console.choose(1, 0);
    QCOMPARE(console.command(), QString("$C,O,R,1,48,FF#"));
    QVERIFY(console.get<QLineEdit>("add").isEnabled());
    QVERIFY(!console.get<QLineEdit>("Data").isEnabled());
    console.press("SendCmd");
    QVERIFY(!console.get<QLineEdit>("add").isEnabled());
  }

  void owiWriteEnablesBothFieldsAndUpdateTakesNewText() {
    Console console;
    console.load();
    console.part(1);
    console.choose(1, 1);
    QVERIFY(console.get<QLineEdit>("add").isEnabled());
    QVERIFY(console.get<QLineEdit>("Data").isEnabled());
    console.get<QLineEdit>("add").setText("1F");
    console.get<QLineEdit>("Data").setText("55");
    QCOMPARE(console.command(), QString("$C,O,W,2,00,00#"));  // not rebuilt until asked
    console.press("update");
    QCOMPARE(console.command(), QString("$C,O,W,2,1F,55#"));
    console.press("SendCmd");
    QVERIFY(!console.get<QLineEdit>("add").isEnabled());
    QVERIFY(!console.get<QLineEdit>("Data").isEnabled());
  }

  void commandsWithoutAddressLeaveTheFieldsDisabled() {
    Console console;
    console.load();
    for (int group = 0; group < 4; ++group) {
      if (group == 1) continue;
      console.choose(group, 0);
      console.choose(group, 1);
    }
    QVERIFY(!console.get<QLineEdit>("add").isEnabled());
    QVERIFY(!console.get<QLineEdit>("Data").isEnabled());
  }

  void unknownGroupAndUnknownCommandAreReported() {
    Console console;
    console.load();
    console.form->refillCommandList(4);
    QCOMPARE(console.op.messages, QStringList{"Wrong Command type selected in Refill Command List!"});
    QCOMPARE(console.get<QListWidget>("CmdList").count(), 0);
    // Nothing left to choose: building reports it and keeps the text.
    console.press("update");
    console.part(1);
    QCOMPARE(console.op.messages.mid(1), (QStringList{"Wrong Command!!!", "Wrong Command!!!"}));
    QCOMPARE(console.command(), QString("$R,P,O,1,FF,FF#"));
    console.form->refillCommandList(-1);
    QCOMPARE(console.op.messages.size(), 4);
    QCOMPARE(console.op.messages.last(), QString("Wrong Command type selected in Refill Command List!"));
  }

  void portsAreProbedAtLoadAndOnDropDown() {
    Console console;
    PtyPair first;
    PtyPair second;
    console.link(2, first.slavePath());
    console.link(5, console.portDir / "no-such-device");
    console.load();
    QCOMPARE(console.ports(), QStringList{"COM2"});
    auto& list = console.get<QComboBox>("Port");
    QVERIFY(list.isEnabled());
    QCOMPARE(list.currentText(), QString("COM2"));
    console.link(9, second.slavePath());
    list.showPopup();
    list.hidePopup();
    QCOMPARE(console.ports(), (QStringList{"COM2", "COM9"}));
  }

  void withoutPortsTheListIsDisabledAndOpeningIsRefused() {
    Console console;
    console.load();
    QVERIFY(console.ports().isEmpty());
    QVERIFY(!console.get<QComboBox>("Port").isEnabled());
    console.press("OpenComm");
    QCOMPARE(console.op.messages, QStringList{kInvalidPort});
    QVERIFY(!console.portOpen());
  }

  void sendWritesTheTextUnchangedAndRepliesShowNewestFirst() {
    Console console;
    PtyPair board;
    console.link(3, board.slavePath());
    console.load();
    console.press("OpenComm");
    QVERIFY(console.op.messages.isEmpty());
    console.choose(3, 1);
    console.press("SendCmd");
    QCOMPARE(board.read(15, 2s), std::string("$V,V,R,0,FF,FF#"));
    QCOMPARE(board.readFor(50ms), std::string());  // no line end follows

    // An edited text goes out exactly as typed.
    console.get<QLineEdit>("CmdToBeSent").setText("$x,typed by hand");
    console.press("SendCmd");
    QCOMPARE(board.read(16, 2s), std::string("$x,typed by hand"));

    board.write("RX041 V1.2.3 first\n");
    QTRY_VERIFY_WITH_TIMEOUT(console.received() != "--->>>", 2000);
    board.write("second\n");
    // The line break after each reading shows as one line; the reply keeps its own.
    QTRY_COMPARE_WITH_TIMEOUT(console.received(), QString("second\n\nRX041 V1.2.3 first\n\n--->>>"), 2000);
    QVERIFY(console.op.messages.isEmpty());
  }

  void firmwareVersionRequestIsAnsweredByTheBench() {
    Console console;
    rx041::bench::BenchOptions options;
    options.comNumber = 7;
    rx041::bench::Bench bench(options);
    console.load();
    QCOMPARE(console.ports(), QStringList{"COM7"});
    console.press("OpenComm");
    // The board's reply may come in pieces; each piece is one reading.
    QStringList readings;
    connect(&console.get<ConsolePort>("ComDebug"), &ConsolePort::received,
            [&](const QByteArray& bytes) { readings << QString::fromLatin1(bytes); });
    console.choose(3, 1);
    console.press("SendCmd");
    QTRY_VERIFY_WITH_TIMEOUT(readings.join("").contains("RX041 V") && readings.join("").endsWith("\n"), 3000);
    QCOMPARE(bench.frames(), std::vector<std::string>{"$V,V,R,0,FF,FF#"});
    QStringList newestFirst{"--->>>"};
    for (const QString& reading : readings) newestFirst.prepend(reading);
    QCOMPARE(console.received(), newestFirst.join("\n"));
    QVERIFY(console.op.messages.isEmpty());
  }

  void openingTwiceOrAnUnopenablePortIsRefused() {
    Console console;
    PtyPair board;
    PtyPair vanishing;
    console.link(3, board.slavePath());
    console.link(4, vanishing.slavePath());
    console.load();
    console.press("OpenComm");
    console.press("OpenComm");
    QCOMPARE(console.op.messages, QStringList{kInvalidPort});
    // The first port stays in use.
    console.press("SendCmd");
    QCOMPARE(board.read(15, 2s), std::string("$R,P,O,1,FF,FF#"));

    // A port listed at the last probe that has gone since.
    std::filesystem::remove(console.portDir / "COM4");
    console.get<QComboBox>("Port").setCurrentText("COM4");
    console.press("OpenComm");
    QCOMPARE(console.op.messages, (QStringList{kInvalidPort, kInvalidPort}));
  }

  void theConsolesOwnPortStaysListed() {
    Console console;
    PtyPair board;
    console.link(16, board.slavePath());
    console.load();
    QCOMPARE(console.ports(), QStringList{"COM16"});
    console.press("OpenComm");
    QVERIFY(console.portOpen());
    console.form->refreshPorts();
    QCOMPARE(console.ports(), QStringList{"COM16"});
  }

  void sendingWithoutAnOpenPortIsReported() {
    Console console;
    console.load();
    console.choose(1, 1);
    console.press("SendCmd");
    QCOMPARE(console.op.messages, QStringList{"The port is not open, Please open a port first!"});
    QVERIFY(!console.get<QLineEdit>("add").isEnabled());
  }

  void aHungUpLineIsReportedAndThePortOpensAgain() {
    // The board's USB adapter unplugged and plugged in again: the bench drops
    // the line instead of a reply and comes back behind the same COM link.
    Console console;
    rx041::bench::BenchOptions options;
    options.comNumber = 7;
    rx041::bench::Bench bench(options);
    console.load();
    console.press("OpenComm");
    QVERIFY(console.portOpen());
    bench.control("fault once hangup");
    console.choose(3, 1);
    console.press("SendCmd");
    QTRY_VERIFY_WITH_TIMEOUT(!console.portOpen(), 2000);
    QCOMPARE(console.op.messages,
             QStringList{"The line of COM7 was lost and the port is closed, Please open the port again!"});
    console.press("SendCmd");
    QCOMPARE(console.op.messages.last(), QString("The port is not open, Please open a port first!"));

    console.op.messages.clear();
    console.press("OpenComm");
    QVERIFY(console.portOpen());
    // The reply may come in pieces.
    QByteArray reply;
    connect(&console.get<ConsolePort>("ComDebug"), &ConsolePort::received,
            [&](const QByteArray& bytes) { reply += bytes; });
    console.press("SendCmd");
    QTRY_VERIFY_WITH_TIMEOUT(reply.endsWith("\n"), 3000);
    QVERIFY(reply.startsWith("Firmware: RX041"));
    QVERIFY(console.op.messages.isEmpty());
  }

  void closingTheConsoleReleasesThePort() {
    Console console;
    PtyPair board;
    console.link(3, board.slavePath());
    console.load();
    console.press("OpenComm");
    QVERIFY(console.portOpen());
    QCOMPARE(rx041::transport::openSerialDevice(board.slavePath()).error, EBUSY);
    console.form.reset();
    const auto reopened = rx041::transport::openSerialDevice(board.slavePath());
    QVERIFY(reopened);
    rx041::transport::closeSerialDevice(reopened.fd);
  }
};

RX041_QT_TEST(DebugFormTest)
#include "debug_form_test.moc"
