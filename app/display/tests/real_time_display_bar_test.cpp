// The live output display on the recording device: what a reading shows,
// the part options, the stop on a reading out of range or a failed call, the
// part change with its settling wait, and no measurement once hidden.
#include "rx41/display/real_time_display_bar.h"

#include <QProgressBar>
#include <QRadioButton>
#include <QTest>

#include "dialog_bench.h"
#include "qt_test_main.h"
#include "rx041/test_support/instant_waits.h"

namespace {

using Bench = rx041::test::DialogBench<rx41::RealTimeDisplayBar>;

int barValue(Bench& bench, const QString& name) { return bench.control<QProgressBar>(name)->value(); }

}  // namespace

class RealTimeDisplayBarTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsCarryTheirDesignNames() {
    Bench bench;
    for (const char* name :
         {"Frame1", "Frame2", "PercentText(0)", "PercentText(1)", "PercentBar(0)", "PercentBar(1)", "AngleText(0)",
          "AngleText(1)", "AngleBar(0)", "AngleBar(1)", "PartsOption(0)", "PartsOption(1)"})
      QVERIFY2(bench.control(name), name);
    QCOMPARE(bench.window->windowTitle(), QString("Real Time Output Display"));
    QCOMPARE(bench.control<QProgressBar>("AngleBar(1)")->maximum(), 360);
    QCOMPARE(bench.control<QProgressBar>("PercentBar(1)")->maximum(), 100);
  }

  void initSwitchesTheMeasurementAndLoadSetsTheOptions() {
    struct Case {
      std::int16_t part, count;
      bool optionsEnabled;
    };
    for (const Case& c : {Case{1, 1, false}, Case{0, 2, true}}) {
      Bench bench;
      bench.form().Init(c.part, c.count);
      QCOMPARE(bench.calls(), QStringList{QString("Customized_Mode0V(%1)").arg(c.part)});
      bench.show();
      for (int option = 0; option < 2; ++option) {
        auto* button = bench.control<QRadioButton>(QString("PartsOption(%1)").arg(option));
        QCOMPARE(button->isChecked(), option == c.part);
        QCOMPARE(button->isEnabled(), c.optionsEnabled);
      }
    }
  }

  void aReadingShowsInItsPartsGroup() {
    struct Case {
      std::int16_t part;
      double reading;
      const char *percent, *angle;
      int percentBar, angleBar;
    };
    const Case cases[] = {
        {0, 100.0, "100.00", "360.00", 100, 360},
        {1, 50.5, "50.50", "181.80", 50, 182},  // halves to even
        {0, 12.25, "12.25", "44.10", 12, 44},
        {1, 100.6, "100.60", "362.16", 100, 360},  // still in range: the bars stand full
    };
    for (const Case& c : cases) {
      Bench bench;
      bench.device->script().answer("Measure", c.reading);
      bench.form().Init(c.part, 1);
      bench.show();
      const int other = 1 - c.part;
      QTRY_COMPARE_WITH_TIMEOUT(bench.text(QString("PercentText(%1)").arg(c.part)), QString(c.percent), 1000);
      QCOMPARE(bench.text(QString("AngleText(%1)").arg(c.part)), QString(c.angle));
      QCOMPARE(barValue(bench, QString("PercentBar(%1)").arg(c.part)), c.percentBar);
      QCOMPARE(barValue(bench, QString("AngleBar(%1)").arg(c.part)), c.angleBar);
      QCOMPARE(bench.text(QString("PercentText(%1)").arg(other)), QString("0.00"));
      QCOMPARE(bench.text(QString("AngleText(%1)").arg(other)), QString("0.00"));
      QCOMPARE(barValue(bench, QString("AngleBar(%1)").arg(other)), 0);
      QCOMPARE(bench.calls("Measure").first(), QString("Measure(%1, 1)").arg(c.part));
      QCOMPARE(bench.op.messages, QStringList{});
    }
  }

  void aReadingOutOfRangeOrAFailedCallStopsTheDisplayOnce() {
    struct Case {
      double reading;
      bool callFails;
      const char* message;
    };
    const Case cases[] = {
        {101.0, false, "Angle from Part#2 is out of scope [101],Will be set to 0 instead!"},
        {-101.0, false, "Angle from Part#2 is out of scope [-101],Will be set to 0 instead!"},  // ADC time-out
        {-0.5, false, "Angle from Part#2 is out of scope [-0.5],Will be set to 0 instead!"},
        {50.0, true, "Method 'Measure' of object 'IZQ3902Device' failed"},
    };
    for (const Case& c : cases) {
      Bench bench;
      // A reading in range first, so that the 0 shown afterwards is the reset.
      bench.device->script().answerOnce("Measure", {40.0});
      bench.device->script().answer("Measure", c.reading);
      if (c.callFails) bench.device->script().fail("Measure", rx041::com::E_FAIL);
      bench.form().Init(1, 1);
      bench.show();
      QTRY_VERIFY_WITH_TIMEOUT(bench.window->isHidden(), 1000);
      QCOMPARE(bench.op.messages, QStringList{c.message});
      QCOMPARE(bench.calls("Measure").size(), c.callFails ? 1 : 2);
      QCOMPARE(bench.text("PercentText(1)"), QString("0.00"));
      QCOMPARE(barValue(bench, "AngleBar(1)"), 0);
      QTest::qWait(350);
      QCOMPARE(bench.calls("Measure").size(), c.callFails ? 1 : 2);
      QCOMPARE(bench.op.messages.size(), 1);
    }
  }

  void closingOrHidingStopsTheMeasurements() {
    for (const bool closeBox : {true, false}) {
      Bench bench;
      bench.device->script().answer("Measure", 30.0);
      bench.form().Init(0, 1);
      bench.show();
      QTRY_VERIFY_WITH_TIMEOUT(!bench.calls("Measure").isEmpty(), 1000);
      if (closeBox)
        bench.window->close();
      else
        bench.window->hide();
      bench.forgetCalls();
      QTest::qWait(350);
      QCOMPARE(bench.calls(), QStringList{});
    }
  }

  void withoutADeviceTheTimerDoesNothing() {
    Bench bench;
    bench.form().Init(0, 1);
    bench.state.Device.reset();
    bench.forgetCalls();
    bench.show();
    QTest::qWait(350);
    QCOMPARE(bench.calls(), QStringList{});
    QCOMPARE(bench.op.messages, QStringList{});
  }

  void changingThePartSwitchesTheRelayAndWaits() {
    Bench bench;
    bench.device->script().answer("Measure", 25.0);
    bench.form().Init(0, 2);
    bench.show();
    QTRY_COMPARE_WITH_TIMEOUT(bench.text("PercentText(0)"), QString("25.00"), 1000);
    bench.forgetCalls();
    bench.click("PartsOption(0)");  // the part measured already: nothing to switch
    QCOMPARE(bench.calls("Customized_Mode0V"), QStringList{});
    rx041::test::InstantWaits waits;
    bench.click("PartsOption(1)");
    QCOMPARE(waits.asked(), std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(200)});
    QVERIFY(!bench.control<QRadioButton>("PartsOption(0)")->isChecked());
    QTRY_COMPARE_WITH_TIMEOUT(bench.text("PercentText(1)"), QString("25.00"), 1000);
    QCOMPARE(bench.text("PercentText(0)"), QString("0.00"));
    const QStringList calls = bench.calls();
    QCOMPARE(calls.first(), QString("Customized_Mode0V(1)"));
    QCOMPARE(calls.filter("Measure(0").size(), 0);
  }

  void aRefusedPartChangeKeepsThePart() {
    Bench bench;
    bench.device->script().answer("Measure", 25.0);
    bench.form().Init(0, 2);
    bench.show();
    bench.device->script().fail("Customized_Mode0V", rx041::com::E_FAIL);
    bench.click("PartsOption(1)");
    QCOMPARE(bench.op.messages, QStringList{"Method 'Customized_Mode0V' of object 'IZQ3902Device' failed"});
    QVERIFY(bench.control<QRadioButton>("PartsOption(0)")->isChecked());
    bench.forgetCalls();
    QTRY_VERIFY_WITH_TIMEOUT(!bench.calls("Measure").isEmpty(), 1000);
    QCOMPARE(bench.calls("Measure").first(), QString("Measure(0, 1)"));
  }
};

RX041_QT_TEST(RealTimeDisplayBarTest)
#include "real_time_display_bar_test.moc"
