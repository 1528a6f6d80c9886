// The quick profiles: the nine lines of the single-part windows and the
// eighteen of the pair window, saving (name rule, overwrite question) and
// loading (character positions, the validations afterwards, the error
// numbers, nothing changed on an error, neither layout in the other window).
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "file_contents.h"
#include "qt_test_main.h"
#include "quick_window_fixture.h"
#include "rx041/test_support/temp_dir.h"
#include "rx41/core/profile_file.h"
#include "scripted_operator.h"
#include "window_bench.h"

namespace {

using rx041::test::contentsOf;
using rx041::test::writeFile;

const QByteArray kProfile =
    "Part #Index:1\r\nDirection is:1\r\nDP is(deg):123.45\r\nClamp High is(%):90.00\r\nClamp Low is(%):7\r\n"
    "Angle of Point A is(deg):40\r\nLevel of Point A is(%):10.5\r\nAngle of Point B is(deg):140.00\r\n"
    "Level of Point B is(%):abc\r\n";

// An offline quick window with its operator and a directory for profiles.
struct ProfileBench {
  explicit ProfileBench(const char* argument = "/2") : window(quick_test::makeQuickWindow(argument, op, state)) {}

  rx041::test::TempDir dir;
  rx041::test::ScriptedOperator op;
  rx41::AppState state;
  std::unique_ptr<QWidget> window;

  QString path(const char* name) const { return QString::fromStdString((dir / name).string()); }
  template <class Control>
  Control* control(const char* name) const {
    return rx041::test::findControl<Control>(*window, name);
  }
  QLineEdit* field(const char* name) const { return control<QLineEdit>(name); }
  QString text(const char* name) const { return field(name)->text(); }
  void click(const char* name) { control<QPushButton>(name)->click(); }
  void load(const QString& path) {
    op.fileNames.push_back(path);
    click("mOpen");
  }
  void save(const QString& path) {
    op.fileNames.push_back(path);
    click("mSaveAs");
  }
};

}  // namespace

class QuickProfileTest : public QObject {
  Q_OBJECT

 private slots:
  void savesTheNineLinesOfTheCurrentTexts() {
    ProfileBench bench;
    bench.control<QComboBox>("PartSel")->setCurrentIndex(1);
    bench.control<QCheckBox>("clockwise")->setChecked(true);
    bench.field("DP")->setText("not validated");
    bench.field("Angle(1)")->setText("12");
    bench.field("Level(0)")->setText("33.3");
    bench.save(bench.path("quick"));
    QCOMPARE(bench.op.shown, QStringList{"Select file name..."});
    QCOMPARE(contentsOf(bench.path("quick.txt")),
             QByteArray("Part #Index:1\r\nDirection is:1\r\nDP is(deg):not validated\r\nClamp High is(%):95.00\r\n"
                        "Clamp Low is(%):5.00\r\nAngle of Point A is(deg):\r\nLevel of Point A is(%):33.3\r\n"
                        "Angle of Point B is(deg):12\r\nLevel of Point B is(%):\r\n"));
  }

  void roundTripThroughAnotherWindow() {
    ProfileBench first;
    first.control<QComboBox>("PartSel")->setCurrentIndex(1);
    first.field("clamplow")->setText("7.50");
    first.field("Angle(0)")->setText("40.00");
    first.field("Level(1)")->setText("90.00");
    first.save(first.path("round.txt"));

    ProfileBench second;
    second.load(first.path("round.txt"));
    QCOMPARE(second.op.messages, QStringList{});
    QCOMPARE(second.control<QComboBox>("PartSel")->currentIndex(), 1);
    QVERIFY(!second.control<QCheckBox>("clockwise")->isChecked());
    for (const char* name : {"DP", "clamphigh", "clamplow", "Angle(0)", "Level(0)", "Angle(1)", "Level(1)"})
      QCOMPARE(second.text(name), first.text(name));
  }

  void loadingTakesValuesByPositionThenValidates() {
    ProfileBench bench;
    writeFile(bench.path("p.txt"), kProfile);
    bench.load(bench.path("p.txt"));
    QCOMPARE(bench.control<QComboBox>("PartSel")->currentIndex(), 1);
    QVERIFY(bench.control<QCheckBox>("clockwise")->isChecked());
    QCOMPARE(bench.text("DP"), QString("123.45"));
    QCOMPARE(bench.text("clamplow"), QString("7.00"));
    QCOMPARE(bench.text("Angle(0)"), QString("40.00"));
    QCOMPARE(bench.text("Level(0)"), QString("10.50"));
    // Validated after the part index was loaded, so the message names Part#2.
    QCOMPARE(bench.text("Level(1)"), QString(""));
    QCOMPARE(bench.op.messages,
             QStringList{"Part#2: Level 1 Input is Invalid! Restoring to default\u2026 Please try again!"});
  }

  void labelOnlyLinesRestoreDefaultsAndLeavePointsEmpty() {
    ProfileBench bench;
    bench.field("Angle(0)")->setText("99");
    writeFile(bench.path("empty.txt"),
              "Part #Index:0\nDirection is:0\nDP is(deg):\nClamp High is(%):\nClamp Low is(%):\n"
              "Angle of Point A is(deg):\nLevel of Point A is(%):\nAngle of Point B is(deg):\nLevel of Point B "
              "is(%):");
    bench.load(bench.path("empty.txt"));
    QCOMPARE(bench.op.messages, QStringList{});
    QCOMPARE(bench.text("DP"), QString("260.00"));
    QCOMPARE(bench.text("clamphigh"), QString("95.00"));
    QCOMPARE(bench.text("clamplow"), QString("5.00"));
    QCOMPARE(bench.text("Angle(0)"), QString(""));
    QCOMPARE(bench.text("Level(1)"), QString(""));
  }

  void aLoadErrorChangesNothing() {
    // Five lines, a line 2 without a number, a part index the list does not
    // have, a missing file, a binary file, one over 64 KiB, a line over 4 KiB:
    // the message, and every control as it was.
    QByteArray noDirection = kProfile;
    noDirection.replace("Direction is:1", "Direction is:");
    QByteArray badIndex = kProfile;
    badIndex.replace("Part #Index:1", "Part #Index:2");
    QByteArray binary = kProfile;
    binary.replace("123.45", QByteArray("123\0"
                                        "45",
                                        6));
    const QByteArray oversized = kProfile + QByteArray(64 * 1024, '\n');
    QByteArray longLine = kProfile;
    longLine.replace("abc", QByteArray(5000, '1'));
    const std::pair<QByteArray, QString> cases[] = {
        {binary, "Error with number:321 occurs! Please check the integrity of profile file!"},
        {oversized, "Error with number:7 occurs! Please check the integrity of profile file!"},
        {longLine, "Error with number:14 occurs! Please check the integrity of profile file!"},
        {kProfile.left(kProfile.indexOf("Angle of Point A")),
         "Error with number:62 occurs! Please check the integrity of profile file!"},
        {noDirection, "Error with number:13 occurs! Please check the integrity of profile file!"},
        {badIndex, "Error with number:380 occurs! Please check the integrity of profile file!"},
        {QByteArray(), "The selected file cannot be found!"},
    };
    for (const auto& [contents, message] : cases) {
      ProfileBench bench;
      bench.field("Angle(0)")->setText("12.00");
      const QString path = bench.path("profile.txt");
      if (!contents.isNull()) writeFile(path, contents);
      bench.load(path);
      QCOMPARE(bench.op.messages, QStringList{message});
      QCOMPARE(bench.control<QComboBox>("PartSel")->currentIndex(), 0);
      QVERIFY(!bench.control<QCheckBox>("clockwise")->isChecked());
      const std::pair<const char*, const char*> unchanged[] = {
          {"DP", "260.00"}, {"clamphigh", "95.00"}, {"clamplow", "5.00"}, {"Angle(0)", "12.00"}, {"Level(1)", ""}};
      for (const auto& [name, text] : unchanged) QCOMPARE(bench.text(name), QString(text));
    }
  }

  void theOnePointWindowKeepsItsOffsetsOutOfTheProfile() {
    ProfileBench onePoint("/6"), twoPoints("/2");
    onePoint.field("OffsetAngleB")->setText("30.00");
    onePoint.field("OffsetDP")->setText("200.00");
    onePoint.save(onePoint.path("one.txt"));
    twoPoints.save(onePoint.path("two.txt"));
    QCOMPARE(contentsOf(onePoint.path("one.txt")), contentsOf(onePoint.path("two.txt")));

    writeFile(onePoint.path("p.txt"), kProfile);
    onePoint.load(onePoint.path("p.txt"));
    QCOMPARE(onePoint.text("DP"), QString("123.45"));
    QCOMPARE(onePoint.text("OffsetAngleB"), QString("30.00"));
    QCOMPARE(onePoint.text("OffsetDP"), QString("200.00"));
  }

  void savesTheEighteenLinesOfThePairWindow() {
    ProfileBench bench("/3");
    bench.control<QCheckBox>("clockwise(1)")->setChecked(true);
    bench.field("DP(0)")->setText("100.00");
    bench.field("clamplow(1)")->setText("7");
    bench.field("Level(2)")->setText("33.3");
    bench.field("Angle(3)")->setText("12");
    bench.save(bench.path("dual"));
    QCOMPARE(contentsOf(bench.path("dual.txt")),
             QByteArray("Part #1:\r\nDirection is:0\r\nDP is(deg):100.00\r\nClamp High is(%):95.00\r\n"
                        "Clamp Low is(%):5.00\r\nAngle of Point A is(deg):\r\nLevel of Point A is(%):\r\n"
                        "Angle of Point B is(deg):\r\nLevel of Point B is(%):\r\n"
                        "Part #2:\r\nDirection is:1\r\nDP is(deg):260.00\r\nClamp High is(%):95.00\r\n"
                        "Clamp Low is(%):7\r\nAngle of Point A is(deg):\r\nLevel of Point A is(%):33.3\r\n"
                        "Angle of Point B is(deg):12\r\nLevel of Point B is(%):\r\n"));
  }

  void pairRoundTripThenSilentValidation() {
    ProfileBench first("/3");
    first.control<QCheckBox>("clockwise(0)")->setChecked(true);
    const std::pair<const char*, const char*> typed[] = {{"DP(0)", "100.00"},   {"clamphigh(1)", "90.00"},
                                                         {"Angle(0)", "40.00"}, {"Level(1)", "90.00"},
                                                         {"Angle(2)", "41.00"}, {"Level(2)", "20.00"}};
    for (const auto& [name, text] : typed) first.field(name)->setText(text);
    const std::tuple<const char*, const char*, const char*> refused[] = {
        {"Angle(3)", "abc", ""}, {"Level(3)", "250", "100.00"}, {"DP(1)", "", "260.00"}};
    for (const auto& [name, text, validated] : refused) first.field(name)->setText(text);
    first.save(first.path("round.txt"));

    ProfileBench second("/3");
    second.load(first.path("round.txt"));
    QVERIFY(second.control<QCheckBox>("clockwise(0)")->isChecked());
    QVERIFY(!second.control<QCheckBox>("clockwise(1)")->isChecked());
    for (const auto& [name, text] : typed) QCOMPARE(second.text(name), QString(text));
    // Refused entries are emptied or replaced without a word.
    for (const auto& [name, text, validated] : refused) QCOMPARE(second.text(name), QString(validated));
    QCOMPARE(second.op.messages, QStringList{});
  }

  void neitherLayoutLoadsIntoTheOtherWindow() {
    // The nine lines end early for the pair window; the pair window's first
    // line holds no part index.
    ProfileBench dual("/3");
    dual.field("Angle(0)")->setText("12.00");
    dual.save(dual.path("dual.txt"));
    writeFile(dual.path("single.txt"), kProfile);
    const std::tuple<const char*, const char*, QString> cases[] = {
        {"/3", "single.txt", "Error with number:62 occurs! Please check the integrity of profile file!"},
        {"/2", "dual.txt", "Error with number:13 occurs! Please check the integrity of profile file!"}};
    for (const auto& [window, file, message] : cases) {
      ProfileBench bench(window);
      bench.load(dual.path(file));
      QCOMPARE(bench.op.messages, QStringList{message});
      QCOMPARE(bench.text("Angle(0)"), QString(""));
      QCOMPARE(bench.text(QString(window) == "/3" ? "DP(0)" : "DP"), QString("260.00"));
    }
  }

  void saveNameRule() {
    QCOMPARE(rx41::profileFileName("a.txt"), QString("a.txt"));
    QCOMPARE(rx41::profileFileName("/tmp/b"), QString("/tmp/b.txt"));
    QCOMPARE(rx41::profileFileName(".txt"), QString(".txt.txt"));
    QCOMPARE(rx41::profileFileName("c.TXT"), QString("c.TXT.txt"));
  }

  void overwritingAsksFirst() {
    ProfileBench bench;
    const QString path = bench.path("old.txt");
    writeFile(path, "previous");
    bench.op.answers = {false};
    bench.save(path);
    QCOMPARE(bench.op.questions, QStringList{"The file with the same name already exists, would you override?"});
    QCOMPARE(contentsOf(path), QByteArray("previous"));
    bench.op.answers = {true};
    bench.save(path);
    QVERIFY(contentsOf(path).startsWith("Part #Index:0\r\n"));
  }
};

RX041_QT_TEST(QuickProfileTest)
#include "quick_profile_test.moc"
