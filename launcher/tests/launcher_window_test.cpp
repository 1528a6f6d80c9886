#include "launcher_window.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "debug_form.h"
#include "qt_test_main.h"
#include "rx041/test_support/temp_dir.h"
#include "scripted_operator.h"

using rx041::launcher::DebugForm;
using rx041::launcher::LauncherWindow;
using rx041::test::ScriptedOperator;
using rx041::test::TempDir;

namespace {

// A stand-in for rx41 that records its argument count and arguments, one a
// line, in arguments.txt beside itself (written whole, then renamed).
void writeStandIn(const std::filesystem::path& directory, bool executable = true) {
  const std::filesystem::path script = directory / "rx41";
  std::ofstream(script) << "#!/bin/sh\n"
                           "here=$(dirname \"$0\")\n"
                           "printf '%s\\n' \"$#\" \"$@\" > \"$here/arguments.tmp\"\n"
                           "mv \"$here/arguments.tmp\" \"$here/arguments.txt\"\n";
  if (executable)
    std::filesystem::permissions(script, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
}

QString recordedArguments(const std::filesystem::path& directory) {
  QFile file(QString::fromStdString((directory / "arguments.txt").string()));
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString dir(const TempDir& temp) { return QString::fromStdString(temp.path().string()); }

}  // namespace

class LauncherWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void buttonsSitInTheirFramesWithTheirCaptions_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("frame");
    QTest::newRow("0") << 0 << "Dual Parts Single Source"
                       << "Frame1";
    QTest::newRow("1") << 1 << "Dual Parts Dual Sources"
                       << "Frame2";
    QTest::newRow("2") << 2 << "Quick 2-Points Programming"
                       << "Frame2";
    QTest::newRow("3") << 3 << "Quick 2-Points Programming for Dual"
                       << "Frame1";
    QTest::newRow("4") << 4 << "Quick 2-Points Programming With Power Button"
                       << "Frame2";
    QTest::newRow("5") << 5 << "Quick 2-Points Programming for Dual With Power Button"
                       << "Frame1";
    QTest::newRow("6") << 6 << "Quick 1-Point Programming"
                       << "Frame2";
  }
  void buttonsSitInTheirFramesWithTheirCaptions() {
    QFETCH(int, mode);
    QFETCH(QString, caption);
    QFETCH(QString, frame);
    ScriptedOperator op;
    LauncherWindow window(op, {});
    auto* button = window.findChild<QPushButton*>(QStringLiteral("launch(%1)").arg(mode));
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->accessibleDescription(), button->objectName());
    QCOMPARE(button->accessibleName(), QString());
    auto* container = qobject_cast<QGroupBox*>(button->parentWidget());
    QVERIFY(container);
    QCOMPARE(container->objectName(), frame);
  }

  void windowFramesAndPictures() {
    ScriptedOperator op;
    LauncherWindow window(op, {});
    QCOMPARE(window.objectName(), QString("Main"));
    QCOMPARE(window.windowTitle(), QString("Switch Utility - Zentavo Confidential"));
    QCOMPARE(window.findChild<QGroupBox*>("Frame1")->title(), QString("Single Sources"));
    QCOMPARE(window.findChild<QGroupBox*>("Frame2")->title(), QString("Dual Source"));
    auto* logo = window.findChild<QLabel*>("Image1");
    QVERIFY(logo);
    QVERIFY(!logo->pixmap().isNull());
    QCOMPARE(logo->accessibleDescription(), QString("Image1"));
    QVERIFY(window.findChild<QWidget*>("Image2"));
    QCOMPARE(window.findChildren<QPushButton*>().size(), 7);
  }

  void eachButtonStartsTheMainProgramWithItsModeAndCloses_data() {
    QTest::addColumn<int>("mode");
    for (int mode = 0; mode <= 6; ++mode) QTest::addRow("/%d", mode) << mode;
  }
  void eachButtonStartsTheMainProgramWithItsModeAndCloses() {
    QFETCH(int, mode);
    TempDir programDir;
    writeStandIn(programDir.path());
    ScriptedOperator op;
    LauncherWindow window(op, {dir(programDir)});
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("launch(%1)").arg(mode))->click();
    QVERIFY(!window.isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(recordedArguments(programDir.path()), QStringLiteral("1\n/%1\n").arg(mode), 3000);
    QVERIFY(op.messages.isEmpty());
  }

  void mainProgramBesideTheLauncherIsTheFallback() {
    TempDir workingDir;
    TempDir launcherDir;
    writeStandIn(launcherDir.path());
    ScriptedOperator op;
    LauncherWindow window(op, {dir(workingDir), dir(launcherDir)});
    window.show();
    window.launch(4);
    QVERIFY(!window.isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(recordedArguments(launcherDir.path()), QString("1\n/4\n"), 3000);
  }

  void workingDirectoryComesFirst() {
    TempDir workingDir;
    TempDir launcherDir;
    writeStandIn(workingDir.path());
    writeStandIn(launcherDir.path());
    ScriptedOperator op;
    LauncherWindow window(op, {dir(workingDir), dir(launcherDir)});
    window.launch(2);
    QTRY_COMPARE_WITH_TIMEOUT(recordedArguments(workingDir.path()), QString("1\n/2\n"), 3000);
    QVERIFY(!std::filesystem::exists(launcherDir / "arguments.txt"));
  }

  void missingMainProgramIsReportedAndTheLauncherStaysOpen() {
    TempDir workingDir;
    TempDir launcherDir;
    writeStandIn(launcherDir.path(), /*executable=*/false);
    ScriptedOperator op;
    LauncherWindow window(op, {dir(workingDir), dir(launcherDir)});
    window.show();
    window.findChild<QPushButton*>("launch(1)")->click();
    QVERIFY(window.isVisible());
    QCOMPARE(op.messages.size(), 1);
    QCOMPARE(op.messages.first(),
             QStringLiteral("Cannot start RX41 from %1/rx41 or %2/rx41!").arg(dir(workingDir), dir(launcherDir)));
  }

  void blankSpotOpensTheConsoleModally() {
    TempDir ports;
    rx041::test::ScopedEnv portMap("RX041_PORTS", ports.path().c_str());
    ScriptedOperator op;
    LauncherWindow window(op, {});
    bool consoleShown = false;
    op.modalHandlers.push_back([&](QDialog& shown) {
      consoleShown = qobject_cast<DebugForm*>(&shown) != nullptr && shown.parentWidget() == &window;
    });
    auto* spot = window.findChild<QWidget*>("Image2");
    window.show();
    QTest::mouseClick(spot, Qt::LeftButton);
    QVERIFY(consoleShown);
    QCOMPARE(op.modalWindows.size(), 1);
  }
};

RX041_QT_TEST(LauncherWindowTest)
#include "launcher_window_test.moc"
