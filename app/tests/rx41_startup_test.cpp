// Runs the rx41 program itself with arguments it must refuse.
#include <QProcess>
#include <QTest>

#include "qt_test_main.h"

class Rx41StartupTest : public QObject {
  Q_OBJECT

  struct Run {
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QString log;
  };

  static Run run(const QStringList& arguments, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(RX41_PROGRAM, arguments);
    if (!process.waitForFinished(10000)) {
      process.kill();
      process.waitForFinished(1000);
      return {};
    }
    return {process.exitCode(), process.exitStatus(), QString::fromLocal8Bit(process.readAllStandardError())};
  }

  static QProcessEnvironment offscreen() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
  }

 private slots:
  void wrongArgumentsAreRefusedWithANonZeroStatus() {
    const QList<QStringList> wrong{{}, {"/7"}, {"/1 "}, {"/1", "/2"}, {""}, {"/1", "-platform", "offscreen"}};
    for (const QStringList& arguments : wrong) {
      const Run result = run(arguments, offscreen());
      const QString shown = "rx41 " + arguments.join(' ');
      QVERIFY2(result.exitStatus == QProcess::NormalExit, qPrintable(shown));
      QVERIFY2(result.exitCode != 0, qPrintable(shown));
      QVERIFY2(result.log.contains("Error Commands received!"), qPrintable(shown + ": " + result.log));
    }
  }

  void withoutAnyDisplayTheRefusalStillReachesTheLog() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) environment.remove(name);
    const Run result = run({"/9"}, environment);
    QCOMPARE(result.exitStatus, QProcess::NormalExit);
    QVERIFY(result.exitCode != 0);
    QVERIFY2(result.log.contains("Error Commands received!"), qPrintable(result.log));
  }
};

RX041_QT_TEST_REAL_WAITS(Rx41StartupTest)
#include "rx41_startup_test.moc"
