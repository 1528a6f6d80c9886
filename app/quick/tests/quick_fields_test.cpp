// The settings fields: when a text is a number, what leaving each kind of
// field does to its text and value, and which refusals the operator is told.
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>

#include "rx41/control_names.h"
#include "rx41/quick/number_fields.h"
#include "rx41/quick/part_settings_panel.h"
#include "scripted_operator.h"

namespace {

const QString kInvalid = QStringLiteral("Input is Invalid! Restoring to default\u2026 Please try again!");

void leave(QLineEdit* field, Qt::FocusReason reason = Qt::TabFocusReason) {
  QFocusEvent event(QEvent::FocusOut, reason);
  QApplication::sendEvent(field, &event);
}

float valueOf(const rx41::PartSettings& values, const QString& field) {
  if (field == "DP") return values.DpValue;
  if (field == "clamphigh") return values.ClampHighValue;
  if (field == "clamplow") return values.ClampLowValue;
  if (field == "Angle(0)") return values.AngleValue[0];
  if (field == "Angle(1)") return values.AngleValue[1];
  if (field == "Level(0)") return values.LevelValue[0];
  return values.LevelValue[1];
}

}  // namespace

class QuickFieldsTest : public QObject {
  Q_OBJECT

 private slots:
  void aNumberHasNoLowerCaseE() {
    QCOMPARE(rx41::parseNumber("1E5"), std::optional<double>(100000.0));
    QCOMPARE(rx41::parseNumber(" -12.5 "), std::optional<double>(-12.5));
    QCOMPARE(rx41::parseNumber("+.5"), std::optional<double>(0.5));
    QCOMPARE(rx41::parseNumber("7."), std::optional<double>(7.0));
    QCOMPARE(rx41::parseNumber("2E-1"), std::optional<double>(0.2));
    for (const char* text : {"1e5", "", " ", "abc", "1.2.3", "inf", "nan", "0x10", "1E", "5%", "1,5", "1E999"})
      QVERIFY2(!rx41::parseNumber(text), text);
  }

  void textToSingleReportsWhatIsNotANumber() {
    rx041::test::ScriptedOperator op;
    QCOMPARE(rx41::TextToSingle("", op, nullptr), rx41::kEmptyValue);
    QCOMPARE(rx41::TextToSingle("12.5", op, nullptr), 12.5f);
    QCOMPARE(op.messages, QStringList{});
    QCOMPARE(rx41::TextToSingle("1e5", op, nullptr), 0.0f);
    QCOMPARE(op.messages, QStringList{"Wrong Float Data Input Detected : 1e5 !!!"});
  }

  void leavingAFieldAppliesItsRule_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, const char* field, const char* typed, const char* text, float value,
                        const QString& message = {}) {
      QTest::newRow(name) << QString(field) << QString(typed) << QString(text) << value << message;
    };
    row("DP not a number", "DP", "abc", "260.00", 260.0f);
    row("DP 1e5 not a number", "DP", "1e5", "260.00", 260.0f);
    row("DP 1E5 too large", "DP", "1E5", "359.99", 359.99f);
    row("DP 360 too large", "DP", "360", "359.99", 359.99f);
    row("DP below 0", "DP", "-0.01", "0", 0.0f);
    row("DP keeps the typed value", "DP", "359.994", "359.99", 359.994f);
    row("DP -0 in range", "DP", "-0", "0.00", 0.0f);
    row("clamp high empty", "clamphigh", "", "95.00", 95.0f);
    row("clamp high 100 in range", "clamphigh", "100", "100.00", 100.0f);
    row("clamp high above 100", "clamphigh", "100.01", "100.00", 100.0f);
    row("clamp high below 0", "clamphigh", "-3", "0", 0.0f);
    row("clamp low not a number", "clamplow", "x", "5.00", 5.0f);
    row("clamp low above 100", "clamplow", "100.5", "100", 100.0f);
    row("clamp low 0 in range", "clamplow", "0", "0.00", 0.0f);
    row("angle empty is 500", "Angle(0)", "", "", 500.0f);
    row("angle refused", "Angle(0)", "ten", "", 500.0f, "Part#1: Angle 0 " + kInvalid);
    row("angle below 0", "Angle(1)", "-5", "0", 0.0f);
    row("angle 360", "Angle(1)", "360", "359.99", 359.99f);
    row("angle reformatted", "Angle(1)", "45.678", "45.68", 45.678f);
    row("level empty", "Level(0)", "", "", 0.0f);
    row("level refused", "Level(1)", "1e1", "", 0.0f, "Part#1: Level 1 " + kInvalid);
    row("level 0 too small", "Level(1)", "0", "0.00", 0.0f);
    row("level below 0", "Level(0)", "-2", "0.00", 0.0f);
    row("level above 100", "Level(0)", "100.5", "100.00", 100.0f);
    row("level in range", "Level(0)", "55.5", "55.50", 55.5f);
  }

  void leavingAFieldAppliesItsRule() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    rx041::test::ScriptedOperator op;
    rx41::PartSettingsPanel panel(op, [] { return std::int16_t{0}; });
    auto* box = panel.findChild<QLineEdit*>(field);
    QVERIFY(box);
    box->setText(typed);
    leave(box);
    QTEST(box->text(), "text");
    QTEST(valueOf(panel.values(), field), "value");
    QFETCH(QString, message);
    QCOMPARE(op.messages, message.isEmpty() ? QStringList{} : QStringList{message});
  }

  void anotherWindowTakingFocusIsNotLeavingTheField() {
    rx041::test::ScriptedOperator op;
    rx41::PartSettingsPanel panel(op, [] { return std::int16_t{0}; });
    auto* level = panel.findChild<QLineEdit*>("Level(0)");
    level->setText("abc");
    leave(level, Qt::ActiveWindowFocusReason);
    QCOMPARE(level->text(), QString("abc"));
    QVERIFY(op.messages.isEmpty());
  }
};

QTEST_MAIN(QuickFieldsTest)
#include "quick_fields_test.moc"
