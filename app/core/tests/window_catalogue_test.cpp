// The catalogue on a table of its own: whole and exact argument matching, the
// refusals, a row whose window the build leaves out, and a window opened from
// its row. The rows of rx41 itself are checked in window_lifecycle_test.
#include "rx41/core/window_catalogue.h"

#include <QTest>

#include "qt_test_main.h"
#include "scripted_operator.h"

namespace {

int built = 0;
rx41::OperatorInterface* given = nullptr;

std::unique_ptr<rx41::WorkingWindow> plainWindow(const rx41::WindowIdentity& identity,
                                                 rx41::OperatorInterface& operatorInterface, rx41::AppState& state,
                                                 rx41::DeviceFactory deviceFactory) {
  ++built;
  given = &operatorInterface;
  auto window =
      std::make_unique<rx41::WorkingWindow>(identity, "plain", operatorInterface, state, std::move(deviceFactory));
  window->setAttribute(Qt::WA_DontShowOnScreen);
  return window;
}

const rx41::WorkingWindowEntry kRows[] = {
    {"/1", "MainForm2Parts2Src", plainWindow},
    {"/2", "MainForm2PointsProgramming", nullptr},
};

}  // namespace

class WindowCatalogueTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { built = 0; }

  void argumentsMatchOnlyWholeAndExactly() {
    const rx41::WindowCatalogue catalogue(kRows);
    QCOMPARE(catalogue.find("/1"), &kRows[0]);
    QCOMPARE(catalogue.find("/2"), &kRows[1]);
    for (const char* argument : {"/7", "/1 ", " /1", "", "/01", "1", "\\1", "/1 /2"})
      QVERIFY2(!catalogue.find(argument), argument);
  }

  void wrongArgumentsShowTheErrorAndOpenNothing() {
    rx41::WindowCatalogue catalogue(kRows);
    rx041::test::ScriptedOperator op;
    const QList<QStringList> wrong{{}, {"/1", "/2"}, {"/7"}, {"/1 "}, {""}};
    for (const QStringList& arguments : wrong) QVERIFY(!rx41::openWorkingWindow(arguments, catalogue, op));
    QCOMPARE(op.messages, QStringList(wrong.size(), "Error Commands received!"));
    QCOMPARE(built, 0);
  }

  void aWindowOpensFromItsRowAndOnlyARowWithAFactory() {
    rx41::WindowCatalogue catalogue(kRows);
    rx041::test::ScriptedOperator op;
    QVERIFY(!rx41::openWorkingWindow({"/2"}, catalogue, op));
    QCOMPARE(op.messages, QStringList{"The window MainForm2PointsProgramming (/2) is not part of this build."});

    const auto window = rx41::openWorkingWindow({"/1"}, catalogue, op);
    QVERIFY(window);
    QCOMPARE(built, 1);
    QVERIFY(window->isVisible());
    QCOMPARE(given, &op);
    QCOMPARE(catalogue.openedWindow("MainForm2Parts2Src"), window.get());
    QCOMPARE(window->objectName(), QString("MainForm2Parts2Src"));
    QVERIFY(!catalogue.openedWindow("MainForm2PointsProgramming"));
    QCOMPARE(op.messages.size(), 1);
  }
};

RX041_QT_TEST(WindowCatalogueTest)
#include "window_catalogue_test.moc"
