#include <QLabel>
#include <QTest>

#include "rx41/window_catalogue.h"
#include "scripted_operator.h"

class WindowRegistrationTest : public QObject {
  Q_OBJECT

 private slots:
  void registrationsOfAWholeLinkedLibraryReachTheCatalogue() {
    rx41::WindowCatalogue& catalogue = rx41::WindowCatalogue::instance();
    QVERIFY(catalogue.has("MainForm1PointProgramming"));
    rx041::test::ScriptedOperator op;
    const auto window = rx41::openWorkingWindow({"/6"}, catalogue, op);
    QVERIFY(qobject_cast<QLabel*>(window.get()));
    QCOMPARE(catalogue.openedWindow("MainForm1PointProgramming"), window.get());
    QVERIFY(op.messages.isEmpty());
  }
};

QTEST_MAIN(WindowRegistrationTest)
#include "window_registration_test.moc"
