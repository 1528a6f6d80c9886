// What every window passes, run over rx41's table of working windows: it
// opens from its argument. What a window does of its own is in its family's
// tests.
#include <QTest>

#include "scripted_operator.h"
#include "working_windows.h"

namespace {

const rx41::WorkingWindowEntry& entryAt(int index) { return rx41::workingWindows()[static_cast<std::size_t>(index)]; }

void addWorkingWindowRows() {
  QTest::addColumn<int>("row");
  for (int index = 0; index < static_cast<int>(rx41::workingWindows().size()); ++index)
    QTest::addRow("%s %s", entryAt(index).argument, entryAt(index).className) << index;
}

}  // namespace

class WindowLifecycleTest : public QObject {
  Q_OBJECT

 private slots:
  void theTableHoldsTheSevenWindowsInArgumentOrder() {
    const std::pair<const char*, const char*> known[] = {
        {"/0", "MainForm2Parts1Src"},
        {"/1", "MainForm2Parts2Src"},
        {"/2", "MainForm2PointsProgramming"},
        {"/3", "MainForm2PointsProgrammingforDual"},
        {"/4", "MainForm2PointsProgrammingWithPwr"},
        {"/5", "MainForm2PointsProgrammingforDualWithPwr"},
        {"/6", "MainForm1PointProgramming"},
    };
    QStringList expected, rows;
    for (const auto& [argument, className] : known) expected << QStringLiteral("%1 %2").arg(argument, className);
    for (const rx41::WorkingWindowEntry& entry : rx41::workingWindows()) {
      rows << QStringLiteral("%1 %2").arg(entry.argument, entry.className);
      QVERIFY2(entry.factory, entry.argument);
    }
    QCOMPARE(rows, expected);
  }

  void opensFromItsArgument_data() { addWorkingWindowRows(); }
  void opensFromItsArgument() {
    QFETCH(int, row);
    const rx41::WorkingWindowEntry& entry = entryAt(row);
    rx41::WindowCatalogue catalogue(rx41::workingWindows());
    rx041::test::ScriptedOperator op;
    const auto window = rx41::openWorkingWindow({entry.argument}, catalogue, op);
    QVERIFY(window);
    QCOMPARE(window->objectName(), QString(entry.className));
    QCOMPARE(window->windowTitle(), QString("RX41 GUI - ZQ3902"));
    QVERIFY(window->isVisible());
    QCOMPARE(catalogue.openedWindow(entry.className), window.get());
    QCOMPARE(op.messages, QStringList{});
  }
};

QTEST_MAIN(WindowLifecycleTest)
#include "window_lifecycle_test.moc"
