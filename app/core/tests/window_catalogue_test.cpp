#include "rx41/core/window_catalogue.h"

#include <QTest>

#include "scripted_operator.h"

class WindowCatalogueTest : public QObject {
  Q_OBJECT

 private slots:
  void argumentsMatchOnlyWholeAndExactly() {
    const std::pair<const char*, const char*> known[] = {
        {"/0", "MainForm2Parts1Src"},
        {"/1", "MainForm2Parts2Src"},
        {"/2", "MainForm2PointsProgramming"},
        {"/3", "MainForm2PointsProgrammingforDual"},
        {"/4", "MainForm2PointsProgrammingWithPwr"},
        {"/5", "MainForm2PointsProgrammingforDualWithPwr"},
        {"/6", "MainForm1PointProgramming"},
    };
    for (const auto& [argument, className] : known)
      QCOMPARE(rx41::WindowCatalogue::classNameFor(argument).value_or("none"), QString(className));
    for (const char* argument : {"/7", "/1 ", " /1", "", "/01", "1", "\\1", "/1 /2"})
      QVERIFY2(!rx41::WindowCatalogue::classNameFor(argument), argument);
  }

  void wrongArgumentsShowTheErrorAndOpenNothing() {
    rx41::WindowCatalogue catalogue;
    int built = 0;
    QVERIFY(catalogue.add("MainForm2Parts2Src", [&](rx41::OperatorInterface&) {
      ++built;
      return std::make_unique<QWidget>();
    }));
    rx041::test::ScriptedOperator op;
    const QList<QStringList> wrong{{}, {"/1", "/2"}, {"/7"}, {"/1 "}, {""}};
    for (const QStringList& arguments : wrong) QVERIFY(!rx41::openWorkingWindow(arguments, catalogue, op));
    QCOMPARE(op.messages, QStringList(wrong.size(), "Error Commands received!"));
    QCOMPARE(built, 0);
  }

  void aWindowOpensOnceItsLibraryRegisteredIt() {
    rx41::WindowCatalogue catalogue;
    rx041::test::ScriptedOperator op;
    QVERIFY(!rx41::openWorkingWindow({"/2"}, catalogue, op));
    QCOMPARE(op.messages, QStringList{"The window MainForm2PointsProgramming (/2) is not part of this build."});

    rx41::OperatorInterface* given = nullptr;
    QVERIFY(catalogue.add("MainForm2PointsProgramming", [&](rx41::OperatorInterface& o) {
      given = &o;
      auto window = std::make_unique<QWidget>();
      window->setAttribute(Qt::WA_DontShowOnScreen);
      return window;
    }));
    const auto window = rx41::openWorkingWindow({"/2"}, catalogue, op);
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(given, &op);
    QCOMPARE(catalogue.openedWindow("MainForm2PointsProgramming"), window.get());
    QCOMPARE(window->objectName(), QString("MainForm2PointsProgramming"));
    QVERIFY(!catalogue.openedWindow("MainForm2PointsProgrammingWithPwr"));
  }

  void onlyKnownClassesRegisterAndOnlyOnce() {
    rx41::WindowCatalogue catalogue;
    auto factory = [](rx41::OperatorInterface&) { return std::make_unique<QWidget>(); };
    QVERIFY(!catalogue.add("MainForm3Points", factory));
    QVERIFY(catalogue.add("MainForm1PointProgramming", factory));
    QVERIFY(!catalogue.add("MainForm1PointProgramming", factory));
    QVERIFY(catalogue.has("MainForm1PointProgramming"));
    QVERIFY(!catalogue.has("MainForm3Points"));
  }
};

QTEST_MAIN(WindowCatalogueTest)
#include "window_catalogue_test.moc"
