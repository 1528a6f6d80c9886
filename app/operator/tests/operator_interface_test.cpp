#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <thread>

#include "qt_test_main.h"
#include "rx041/component/notify.h"
#include "scripted_operator.h"

namespace {

QStringList loggedLines;
QtMessageHandler previousHandler = nullptr;

void captureOperatorLog(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (context.category && QString(context.category) == "rx41.operator") loggedLines << text;
  if (previousHandler) previousHandler(type, context, text);
}

}  // namespace

class OperatorInterfaceTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    loggedLines.clear();
    previousHandler = qInstallMessageHandler(captureOperatorLog);
  }
  void cleanup() { qInstallMessageHandler(previousHandler); }

  void everyShownTextIsLogged() {
    rx041::test::ScriptedOperator op;
    op.answers = {true};
    op.message("Error: Not in OWI mode");
    QVERIFY(op.askYesNo("The file with the same name already exists, would you override?"));
    QVERIFY(!op.askYesNo("a second question with no prepared answer"));
    QCOMPARE(op.messages, QStringList{"Error: Not in OWI mode"});
    QCOMPARE(op.questions.size(), 2);
    QVERIFY(loggedLines.contains("message: Error: Not in OWI mode"));
    QVERIFY(loggedLines.contains("answer: Yes"));
    QVERIFY(loggedLines.contains("answer: No"));
  }

  void fileDialogsAnswerFromTheListThenCancel() {
    rx041::test::ScriptedOperator op;
    op.fileNames = {"/tmp/profile.txt"};
    QCOMPARE(op.saveFileName("Select file name..."), QString("/tmp/profile.txt"));
    QVERIFY(op.openFileName("Select file name...").isEmpty());
    QVERIFY(loggedLines.contains("chosen: (cancelled)"));
  }

  void modalWindowRunsItsHandlerThenCloses() {
    rx041::test::ScriptedOperator op;
    QDialog window;
    window.setWindowTitle("Select Com port");
    auto* ok = new QPushButton("OK", &window);
    bool clicked = false;
    connect(ok, &QPushButton::clicked, [&] {
      clicked = true;
      window.hide();
    });
    op.modalHandlers.push_back([](QDialog& w) { w.findChild<QPushButton*>()->click(); });
    op.runModal(window);
    QVERIFY(clicked);
    QVERIFY(!window.isVisible());
    op.runModal(window);  // no handler left: closed as with the close box
    QVERIFY(!window.isVisible());
    QCOMPARE(op.modalWindows, (QStringList{"Select Com port", "Select Com port"}));
  }

  void libraryMessagesFromAnotherThreadArriveOnTheWindowThread() {
    rx041::test::ScriptedOperator op;
    rx41::LibraryNotifications route(op);
    rx041::com::notifyOperator("Not recognized type by SerialChannel send");
    std::thread reader([] { rx041::com::notifyOperator("fail to create log.txt"); });
    reader.join();
    QCOMPARE(op.messages, QStringList{"Not recognized type by SerialChannel send"});
    QTRY_COMPARE(op.messages.size(), 2);
    QCOMPARE(op.messages.last(), QString("fail to create log.txt"));
  }
};

RX041_QT_TEST(OperatorInterfaceTest)
#include "operator_interface_test.moc"
