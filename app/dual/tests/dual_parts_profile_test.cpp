// The dual-part profile: the default window's 42 lines, a full round trip
// between two windows, loading by character position with the checks
// afterwards, and every load error leaving the window as it was.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "dual_window_fixture.h"
#include "file_contents.h"
#include "qt_test_main.h"
#include "rx041/test_support/temp_dir.h"

using dual_test::DualBench;

namespace {

using rx041::test::contentsOf;
using rx041::test::writeFile;

QByteArray defaultBlock(int partNumber) {
  return "Part #" + QByteArray::number(partNumber) +
         ":\r\nVDD is(V):5.000\r\nDirection is:CCW\r\nDP is(deg):260.00\r\nClamp High is(%):95.00\r\n"
         "Clamp Low is(%):5.00\r\nAngle of Point A is(deg):\r\nLevel of Point A is(%):\r\n"
         "Angle of Point B is(deg):\r\nLevel of Point B is(%):\r\nAngle of Point C is(deg):\r\n"
         "Level of Point C is(%):\r\nAngle of Point D is(deg):\r\nLevel of Point D is(%):\r\n"
         "Slope parameter is(%VDD/deg):\r\nOP parameter is(deg):\r\nHYS parameter is(deg):1.00\r\n"
         "Polarity parameter is:0\r\nOutMode is:0\r\nPWMFreq is:0\r\nPWMPolarity is0\r\n";
}

// Every text, tick and list choice of the window, for comparing two windows.
QStringList snapshot(const DualBench& bench) {
  QStringList values;
  for (auto* box : bench.window->findChildren<QLineEdit*>()) values << box->objectName() + "=" + box->text();
  for (auto* tick : bench.window->findChildren<QCheckBox*>())
    values << tick->objectName() + "=" + QString::number(tick->isChecked());
  for (auto* list : bench.window->findChildren<QComboBox*>())
    values << list->objectName() + "=" + QString::number(list->currentIndex()) +
                  (list->isEnabledTo(list->parentWidget()) ? "E" : "D");
  values.sort();
  return values;
}

// A window with every kind of setting changed on both parts, PWM on Part#2.
void fillWindow(DualBench& bench) {
  const std::pair<const char*, const char*> texts[] = {
      {"VDD(0)", "4.950"},    {"DP(0)", "123.45"},    {"clamphigh(0)", "90.00"}, {"clamplow(0)", "7.50"},
      {"Angle(0)", "10.00"},  {"Level(0)", "10.00"},  {"Angle(1)", "20.00"},     {"Level(1)", "20.00"},
      {"Angle(2)", "30.00"},  {"Level(2)", "30.00"},  {"Angle(3)", "40.00"},     {"Level(3)", "40.00"},
      {"KforA(0)", "0.5000"}, {"op(0)", "90.00"},     {"hys(0)", "2.25"},        {"VDD(1)", "5.100"},
      {"DP(1)", "11.00"},     {"Angle(4)", "300.00"}, {"Level(4)", "80.00"},     {"Angle(5)", "200.00"},
      {"Level(5)", "15.00"},  {"op(1)", "1.00"},      {"hys(1)", "0.75"}};
  for (const auto& [name, text] : texts) bench.type(name, text);
  bench.control<QCheckBox>("clockwise(0)")->setChecked(true);
  bench.control<QCheckBox>("Kpolarity(1)")->setChecked(true);
  bench.control<QComboBox>("OutMode(1)")->setCurrentIndex(1);
  bench.control<QComboBox>("PWMFreq(1)")->setCurrentIndex(3);
  bench.control<QComboBox>("PWMPolarity(1)")->setCurrentIndex(1);
}

}  // namespace

class DualProfileTest : public QObject {
  Q_OBJECT

  rx041::test::TempDir dir_;
  QString path(const char* name) const { return QString::fromStdString((dir_ / name).string()); }

  static void save(DualBench& bench, const QString& path) {
    bench.op.fileNames.push_back(path);
    bench.click("mSaveAs");
  }
  static void load(DualBench& bench, const QString& path) {
    bench.op.fileNames.push_back(path);
    bench.click("mOpen");
  }

 private slots:
  void theDefaultWindowWritesItsFortyTwoLines() {
    for (const rx41::Sources sources : {rx41::Sources::Dual, rx41::Sources::Single}) {
      DualBench bench(sources);
      save(bench, path("default"));
      QCOMPARE(contentsOf(path("default.txt")), defaultBlock(1) + defaultBlock(2));
      QFile::remove(path("default.txt"));
    }
  }

  void aFilledWindowComesBackWhole() {
    DualBench first;
    fillWindow(first);
    save(first, path("full.txt"));
    DualBench second;
    load(second, path("full.txt"));
    QCOMPARE(second.op.messages, QStringList{});
    QCOMPARE(snapshot(second), snapshot(first));
    QVERIFY(snapshot(second).contains("PWMFreq(1)=3E"));
  }

  void loadingTakesValuesByPositionThenChecks() {
    QByteArray file = defaultBlock(1) + defaultBlock(2);
    file.replace("DP is(deg):260.00", "DP is(deg):400");
    file.replace("Direction is:CCW", "Direction is:cw");
    file.replace("Polarity parameter is:0\r\nOutMode is:0", "Polarity parameter is:1\r\nOutMode is:1");
    file.replace("Angle of Point A is(deg):\r\nLevel of Point A is(%):\r\nAngle of Point B is(deg):\r\n",
                 "Angle of Point A is(deg):x\r\nLevel of Point A is(%):\r\nAngle of Point B is(deg):9.5\r\n");
    file.replace("OP parameter is(deg):\r\n", "OP parameter is(deg):not checked\r\n");
    writeFile(path("p.txt"), file);
    DualBench bench;
    load(bench, path("p.txt"));
    // Both parts' lines were changed alike; the checks run clamps, DP, VDD, then angles 0 to 7.
    QCOMPARE(bench.text("DP(0)"), QString("359.99"));
    QCOMPARE(bench.text("DP(1)"), QString("359.99"));
    QVERIFY(!bench.control<QCheckBox>("clockwise(1)")->isChecked());
    QVERIFY(bench.control<QCheckBox>("Kpolarity(0)")->isChecked());
    auto* pwmFreq = bench.control<QComboBox>("PWMFreq(0)");
    QVERIFY(pwmFreq->isEnabledTo(pwmFreq->parentWidget()));
    QCOMPARE(bench.text("Angle(4)"), QString(""));
    QCOMPARE(bench.text("Angle(1)"), QString("9.50"));
    QCOMPARE(bench.text("op(1)"), QString("not checked"));
    const QString tooLarge = ": : DP Input cannot be more than or equal to 360! Using 359.99 instead!";
    const QString invalid = ": Angle A Input is Invalid! Restoring to default\u2026 Please try again!";
    QCOMPARE(bench.op.messages,
             (QStringList{"Part#1" + tooLarge, "Part#2" + tooLarge, "Part#1" + invalid, "Part#2" + invalid}));
  }

  void loadErrorsLeaveTheWindowUnchanged_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("message");
    const QByteArray whole = defaultBlock(1) + defaultBlock(2).replace("DP is(deg):260.00", "DP is(deg):1.00");
    const QString numbered = "Error with number:%1 occurs! Please check the integrity of profile file!";
    QTest::newRow("missing") << QByteArray() << "The selected file cannot be found!";
    QTest::newRow("thirtyLines") << whole.split('\n').mid(0, 30).join('\n') + '\n' << numbered.arg(62);
    QByteArray notANumber = whole;
    notANumber.replace("PWMFreq is:0", "PWMFreq is:x");
    QTest::newRow("listIndexNotANumber") << notANumber << numbered.arg(13);
    QByteArray outside = whole;
    outside.replace("PWMPolarity is0", "PWMPolarity is2");
    QTest::newRow("listIndexOutside") << outside << numbered.arg(380);
  }

  void loadErrorsLeaveTheWindowUnchanged() {
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);
    const QString file = path("broken.txt");
    QFile::remove(file);
    if (!contents.isEmpty()) writeFile(file, contents);
    DualBench bench;
    bench.type("Angle(2)", "33");
    const QStringList before = snapshot(bench);
    load(bench, file);
    QCOMPARE(bench.op.messages, QStringList{message});
    QCOMPARE(snapshot(bench), before);
  }

  void overwritingAsksFirst() {
    writeFile(path("kept.txt"), "old");
    DualBench bench;
    bench.op.answers.push_back(false);
    save(bench, path("kept.txt"));
    QCOMPARE(bench.op.questions, QStringList{"The file with the same name already exists, would you override?"});
    QCOMPARE(contentsOf(path("kept.txt")), QByteArray("old"));
    bench.op.answers.push_back(true);
    save(bench, path("kept.txt"));
    QCOMPARE(contentsOf(path("kept.txt")), defaultBlock(1) + defaultBlock(2));
  }
};

RX041_QT_TEST(DualProfileTest)
#include "dual_parts_profile_test.moc"
