#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "qt_test_main.h"
#include "rx041/test_support/recording_device.h"
#include "rx41/core/about_form.h"
#include "rx41/core/confirm_form.h"
#include "rx41/core/device_calls.h"
#include "rx41/core/frm_comport.h"
#include "rx41/core/operator_sink.h"
#include "rx41/core/shown_numbers.h"
#include "rx41/core/wait_form.h"
#include "rx41/operator/control_names.h"
#include "rx41/rules/field_rules.h"
#include "scripted_operator.h"

namespace {

template <class Control = QWidget>
Control* control(QWidget& window, const QString& name) {
  auto* found = window.findChild<Control*>(name);
  if (found && found->accessibleDescription() != name) return nullptr;
  return found;
}

QString labelText(QWidget& window, const QString& name) {
  auto* label = control<QLabel>(window, name);
  return label ? label->text() : QStringLiteral("<no %1>").arg(name);
}

void click(QWidget& window, const QString& name) {
  auto* button = control<QPushButton>(window, name);
  QVERIFY2(button, qPrintable(name));
  button->click();
}

}  // namespace

class SharedWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsCarryTheirNamesForFindersAndScreenReaders() {
    QWidget window;
    auto* angle = rx41::named(new QLabel(&window), "Angle", 5);
    QCOMPARE(angle->objectName(), QString("Angle(5)"));
    QCOMPARE(angle->accessibleDescription(), QString("Angle(5)"));
    QCOMPARE(rx41::designNameOf(*angle), QString("Angle(5)"));
    QCOMPARE(rx41::designNameOf(window), QString());

    rx041::test::ScriptedOperator op;
    rx41::AppState state;
    rx41::frmComport ports(op);
    rx41::confirm confirmation;
    rx41::About about(state, op);
    rx41::waitform wait;
    const std::pair<QWidget*, QStringList> expected[] = {
        {&ports, {"Port", "Connect", "Donotconnect", "Label2", "Baudrate"}},
        {&confirmation, {"yes", "no", "Label1"}},
        {&about, {"Label1", "Label2", "Label4", "HWversion", "Command1", "debugonly"}},
        {&wait, {"Label1"}},
    };
    for (const auto& [form, names] : expected)
      for (const QString& name : names) QVERIFY2(control(*form, name), qPrintable(name));
    QCOMPARE(ports.windowTitle(), QString("Select Com port"));
    QCOMPARE(confirmation.windowTitle(), QString("RX31 GUI - ZQ3902"));
  }

  void aLabelsChangingTextIsWhatScreenReadersRead() {
    rx041::test::ScriptedOperator op;
    rx41::AppState state;
    rx41::About about(state, op);
    auto* version = control<QLabel>(about, "HWversion");
    QVERIFY(version);
    const auto spoken = [&] { return QAccessible::queryAccessibleInterface(version)->text(QAccessible::Name); };
    about.Init("2.10.7");
    QCOMPARE(spoken(), QString("Hardware Version: 2.10.7"));
    about.Init("0.0.0");
    QCOMPARE(spoken(), QString("Hardware Version: 0.0.0"));
    QCOMPARE(QAccessible::queryAccessibleInterface(version)->text(QAccessible::Description), QString("HWversion"));
  }

  void textToSingleReportsWhatIsNotANumber() {
    rx041::test::ScriptedOperator op;
    QCOMPARE(rx41::TextToSingle("", op, nullptr), rx41::kEmptyValue);
    QCOMPARE(rx41::TextToSingle("12.5", op, nullptr), 12.5f);
    QCOMPARE(op.messages, QStringList{});
    QCOMPARE(rx41::TextToSingle("1e5", op, nullptr), 0.0f);
    QCOMPARE(op.messages, QStringList{"Wrong Float Data Input Detected : 1e5 !!!"});
  }

  void waitformShowsDefaultThenGivenTexts() {
    rx41::waitform wait;
    QCOMPARE(labelText(wait, "Label1"), QString("Programming EEPROM...  Please Wait..."));
    wait.Init("Getting VDD of device...  Please Wait...");
    QCOMPARE(labelText(wait, "Label1"), QString("Getting VDD of device...  Please Wait..."));
    wait.TextChange("Clearing Solver...  Please Wait...");
    QCOMPARE(wait.text(), QString("Clearing Solver...  Please Wait..."));
  }

  void waitNoticeIsShownModelessAndClosedAtScopeEnd() {
    QWidget owner;
    QPointer<rx41::waitform> form;
    {
      rx41::WaitNotice notice(&owner, "Configuring Solver...  Please Wait...");
      form = notice.window();
      QVERIFY(form && form->isVisible());
      QVERIFY(!form->isModal());
      notice.change("Programming EEPROM...  Please Wait...");
      QCOMPARE(form->text(), QString("Programming EEPROM...  Please Wait..."));
    }
    QVERIFY(form.isNull());
  }

  void confirmCountsOnlyTheConfirmButton() {
    rx041::test::ScriptedOperator op;
    rx41::confirm confirmation;  // kept and reused, as the dual windows do
    QCOMPARE(labelText(confirmation, "Label1"),
             QString("The OWI Communication will be DISABLED...please confirm to move on..."));
    QCOMPARE(control<QPushButton>(confirmation, "yes")->text(), QString("Confirm"));
    QCOMPARE(control<QPushButton>(confirmation, "no")->text(), QString("Cancel"));

    op.modalHandlers.push_back([](QDialog& w) { click(w, "yes"); });
    op.runModal(confirmation);
    QVERIFY(confirmation.CheckSelection());
    QVERIFY(!confirmation.isVisible());

    op.runModal(confirmation);  // closed with the close box this time
    QVERIFY(!confirmation.CheckSelection());

    op.modalHandlers.push_back([](QDialog& w) { click(w, "no"); });
    op.runModal(confirmation);
    QVERIFY(!confirmation.CheckSelection());
  }

  void aboutOfflineShowsVersionZero() {
    rx041::test::ScriptedOperator op;
    rx41::AppState state;
    QString shownVersion;
    op.modalHandlers.push_back([&](QDialog& w) {
      shownVersion = labelText(w, "HWversion");
      click(w, "Command1");
      QVERIFY(!w.isVisible());
    });
    rx41::DeviceCalls calls(state, op);
    rx41::showAboutBox(calls, nullptr);
    QCOMPARE(shownVersion, QString("Hardware Version: 0.0.0"));
    QCOMPARE(op.messages, QStringList{"Cannot read version, Programmer is not connected or Device is not powered on!"});
    QCOMPARE(op.modalWindows, QStringList{"About"});
  }

  void aboutShowsTheProgrammersVersion() {
    rx041::test::ScriptedOperator op;
    rx41::AppState state;
    auto device = std::make_shared<rx041::test::RecordingDevice>();
    state.Device = device;
    device->script().version[0] = 2;
    device->script().version[1] = 10;
    device->script().version[2] = 7;
    QString shownVersion;
    auto readVersion = [&](QDialog& w) { shownVersion = labelText(w, "HWversion"); };
    rx41::DeviceCalls calls(state, op);
    op.modalHandlers.push_back(readVersion);
    rx41::showAboutBox(calls, nullptr);
    QCOMPARE(shownVersion, QString("Hardware Version: 2.10.7"));
    QVERIFY(op.messages.isEmpty());

    device->script().answer("ProgrammerVersion", 1);
    op.modalHandlers.push_back(readVersion);
    rx41::showAboutBox(calls, nullptr);
    QCOMPARE(op.messages, QStringList{"Cannot Read Programmer Version!"});

    // A call that fails outright is told as such, and no version is shown.
    op.messages.clear();
    device->script().fail("ProgrammerVersion", rx041::com::E_NOTIMPL);
    op.modalHandlers.push_back(readVersion);
    rx41::showAboutBox(calls, nullptr);
    QCOMPARE(op.messages, QStringList{"Method 'ProgrammerVersion' of object 'IZQ3902Device' failed"});
    QCOMPARE(shownVersion, QString("Hardware Version: 0.0.0"));
  }

  void debugonlyShowsTheCalibrationValues() {
    rx041::test::ScriptedOperator op;
    rx41::AppState state;
    state.DacK[1] = 0.25f;
    state.DacB[0] = -1.5f;
    state.DacB[1] = 12345678.0f;
    rx41::About about(state, op);
    auto* spot = control<QLabel>(about, "debugonly");
    QVERIFY(spot);
    QCOMPARE(spot->text(), QString("   "));
    about.show();
    QTest::mouseClick(spot, Qt::LeftButton);
    QCOMPARE(op.messages,
             QStringList{"sysoffset is: 0; K(0)&B(0): 0.2777778 & -1.5; K(1)&B(1): 0.25 & 1.234568E+07 !"});
  }

  void curveMessagesReachTheOperator() {
    rx041::test::ScriptedOperator op;
    rx41::CurveTables tables;
    tables.Points[1][0][0] = 100;
    tables.Points[1][1][0] = 200;  // equal levels: neither extension can be placed
    rx41::BuildCurve(tables, 2, 1, rx41::operatorSink(op));
    QCOMPARE(op.messages.first(), QString("Error in Cal2PointsExtend0"));
  }

  void singlesPrintWithAtMostSevenDigits() {
    QCOMPARE(rx41::singleText(1.0f / 3.6f), QString("0.2777778"));
    QCOMPARE(rx41::singleText(-0.0f), QString("0"));
    QCOMPARE(rx41::singleText(100.0f), QString("100"));
    QCOMPARE(rx41::singleText(0.00001f), QString("1E-05"));
    QCOMPARE(rx41::singleText(123456.7f), QString("123456.7"));
  }
};

RX041_QT_TEST(SharedWindowsTest)
#include "shared_windows_test.moc"
