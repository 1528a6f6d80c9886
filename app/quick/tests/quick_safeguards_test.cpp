// What every quick window guarantees, whichever parts it programs and however
// point B comes about: no impossible angle taught, no profile half saved or
// half loaded. What every working window guarantees (nothing without a
// programmer, no second flow while one runs, cancelled profile dialogs, a
// failed save) is in window_lifecycle_test.
#include <QCheckBox>
#include <QFile>
#include <QTest>

#include "file_contents.h"
#include "qt_test_main.h"
#include "quick_window_fixture.h"
#include "rx041/test_support/temp_dir.h"

using quick_test::WindowBench;

namespace {

const QString kWindows[] = {"/2", "/4", "/6", "/3", "/5"};
const QString kReadError = QStringLiteral("Read Error! Please Check chip connections!");
// A failed register read reaches the window as (511 * 256) / 64 degrees.
constexpr double kFailedRead = 511 * 256 * 0.015625;

bool programsBothParts(const QString& argument) { return argument == "/3" || argument == "/5"; }

// Connected to a healthy chip and, where the window has the power button, prepared.
void readyForPointA(WindowBench& bench) {
  bench.healthyChip();
  bench.connect();
  if (bench.control("PowerOn")) bench.click("PowerOn");
}

using rx041::test::contentsOf;
using rx041::test::settingsShown;
using rx041::test::writeFile;

// Profiles go into a directory of their own.
QString pathIn(const rx041::test::TempDir& dir, const char* name) {
  return QString::fromStdString((dir / name).string());
}

}  // namespace

class QuickSafeguardsTest : public QObject {
  Q_OBJECT

 private slots:
  void impossibleAnglesAreReportedAndNotWritten() {
    for (const QString& window : kWindows) {
      WindowBench bench(window);
      readyForPointA(bench);
      const bool pair = programsBothParts(window);
      // In a pair the second part's reading fails.
      const QString pointA = pair ? "Angle(2)" : "Angle(0)", pointB = pair ? "Angle(3)" : "Angle(1)";
      auto& script = bench.device->script();
      if (pair)
        script.answerOnce("GetAngle", {40.0, kFailedRead});
      else
        script.answerOnce("GetAngle", {kFailedRead});
      bench.click("SetpointA");
      QCOMPARE(bench.op.messages, QStringList{kReadError});
      QCOMPARE(bench.text(pointA), QString(""));
      QCOMPARE(bench.text(pair ? "DP(1)" : "DP"), QString("260.00"));
      QVERIFY(!bench.enabled("SetpointB"));

      if (bench.text("SetpointB") == "Program") continue;  // point B is not read
      // Set point B keeps the chips prepared so that the operator can try again.
      if (pair)
        script.answerOnce("GetAngle", {40.0, 40.0, 140.0, 360.0});
      else
        script.answerOnce("GetAngle", {40.0, 360.0});
      bench.click("SetpointA");
      bench.click("SetpointB");
      QCOMPARE(bench.op.messages, (QStringList{kReadError, kReadError}));
      QCOMPARE(bench.text(pointB), QString(""));
      QVERIFY(bench.calls("SetSolverSetting").isEmpty());
      QCOMPARE(bench.state.ChipState[pair ? 1 : 0], rx41::kOwiMode);
      QVERIFY(bench.enabled("SetpointB"));
      for (int k = 0; k < (pair ? 4 : 2); ++k) bench.type(QStringLiteral("Level(%1)").arg(k), k % 2 ? "90" : "10");
      script.answerOnce("GetAngle", {140.0, 140.0});
      bench.click("SetpointB");
      QCOMPARE(bench.text(pointB), QString("140.00"));
      QCOMPARE(bench.calls("CopySolverSettingsToParameters").size(), pair ? 2 : 1);
    }
  }

  void aBrokenProfileChangesNothing() {
    for (const QString& window : kWindows) {
      WindowBench bench(window);
      rx041::test::TempDir profiles;
      const QString path = pathIn(profiles, "profile.txt");
      bench.op.fileNames = {path};
      bench.click("mSaveAs");
      // Every line but the last, after the window's texts changed.
      QByteArray contents = contentsOf(path);
      contents.chop(2);
      writeFile(path, contents.left(contents.lastIndexOf("\r\n") + 2));
      bench.type("Angle(0)", "12");
      bench.control<QCheckBox>(bench.control("clockwise") ? "clockwise" : "clockwise(1)")->setChecked(true);
      const auto shown = settingsShown(*bench.window);
      bench.op.fileNames = {path};
      bench.click("mOpen");
      QCOMPARE(bench.op.messages,
               QStringList{"Error with number:62 occurs! Please check the integrity of profile file!"});
      QCOMPARE(settingsShown(*bench.window), shown);
    }
  }
};

RX041_QT_TEST(QuickSafeguardsTest)
#include "quick_safeguards_test.moc"
