// The quick window's settings panel on the field model: each field keeps its
// own value, refusals name the selected part and the field's index, and
// another window taking the focus is not the operator leaving a field. The
// rules themselves are tested as a table in the core (field_rules_test).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>

#include "qt_test_main.h"
#include "rx41/quick/part_settings_panel.h"
#include "rx41/quick/teach_flow.h"
#include "scripted_operator.h"
#include "window_bench.h"

namespace {

const QString kInvalid = QStringLiteral("Input is Invalid! Restoring to default\u2026 Please try again!");

void leave(QLineEdit* field, Qt::FocusReason reason = Qt::TabFocusReason) {
  QFocusEvent event(QEvent::FocusOut, reason);
  QApplication::sendEvent(field, &event);
}

float valueOf(const rx41::FieldValues& values, const QString& field) {
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
  void eachFieldKeepsItsValueAndNamesThePart_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("part");
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("DP") << "DP"
                        << "360" << 0 << "359.99" << 359.99f << "";
    QTest::newRow("clamp high") << "clamphigh"
                                << "-3" << 0 << "0" << 0.0f << "";
    QTest::newRow("clamp low") << "clamplow"
                               << "100.5" << 0 << "100" << 100.0f << "";
    QTest::newRow("angle A") << "Angle(0)"
                             << "ten" << 1 << "" << 500.0f << "Part#2: Angle 0 " + kInvalid;
    QTest::newRow("angle B") << "Angle(1)"
                             << "45.678" << 0 << "45.68" << 45.678f << "";
    QTest::newRow("level A") << "Level(0)"
                             << "55.5" << 1 << "55.50" << 55.5f << "";
    QTest::newRow("level B") << "Level(1)"
                             << "1e1" << 0 << "" << 0.0f << "Part#1: Level 1 " + kInvalid;
  }

  void eachFieldKeepsItsValueAndNamesThePart() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(int, part);
    rx041::test::ScriptedOperator op;
    rx41::PartSettingsPanel panel(op);
    rx041::test::findControl<QComboBox>(panel, "PartSel")->setCurrentIndex(part);
    auto* box = rx041::test::findControl<QLineEdit>(panel, field);
    QVERIFY(box);
    box->setText(typed);
    leave(box);
    QTEST(box->text(), "text");
    QTEST(valueOf(panel.values(0), field), "value");
    QFETCH(QString, message);
    QCOMPARE(op.messages, message.isEmpty() ? QStringList{} : QStringList{message});
  }

  void offsetsPlacePointBAndDpInTheDirection_data() {
    QTest::addColumn<float>("angleA");
    QTest::addColumn<float>("offset");
    QTest::addColumn<bool>("clockwise");
    QTest::addColumn<float>("placed");
    QTest::newRow("A 10 + 30") << 10.0f << 30.0f << false << 40.0f;
    QTest::newRow("A 10 - 30 wraps") << 10.0f << 30.0f << true << 340.0f;
    QTest::newRow("A 350 + 20 wraps") << 350.0f << 20.0f << false << 10.0f;
    QTest::newRow("A 350 - 20") << 350.0f << 20.0f << true << 330.0f;
    QTest::newRow("A 340 + 20 is 0") << 340.0f << 20.0f << false << 0.0f;
    QTest::newRow("A 0 - 0 stays") << 0.0f << 0.0f << true << 0.0f;
  }
  void offsetsPlacePointBAndDpInTheDirection() {
    QFETCH(float, angleA);
    QFETCH(float, offset);
    QFETCH(bool, clockwise);
    const rx41::OffsetPlacement placed = rx41::placeByOffsets(angleA, offset, offset, clockwise);
    QTEST(placed.angleB, "placed");
    QTEST(placed.dp, "placed");
  }

  void theOffsetStrategyFillsPointBAndDp() {
    rx041::test::ScriptedOperator op;
    rx41::PartSettingsPanel panel(op);
    QLineEdit offsetAngleB("200.00"), offsetDp("20.00");
    rx41::OffsetSecondPoint secondPoint(panel, offsetAngleB, offsetDp, op);
    panel.clockwiseBox().setChecked(true);
    secondPoint.afterPointA(0, 350.0f);
    QCOMPARE(rx041::test::findControl<QLineEdit>(panel, "Angle(1)")->text(), QString("150.00"));
    QCOMPARE(rx041::test::findControl<QLineEdit>(panel, "DP")->text(), QString("330.00"));
    QCOMPARE(panel.values(0).AngleValue[1], 150.0f);
    QCOMPARE(panel.values(0).DpValue, 330.0f);
    QVERIFY(secondPoint.takePointB(0));
    QVERIFY(op.messages.isEmpty());
  }

  void anotherWindowTakingFocusIsNotLeavingTheField() {
    rx041::test::ScriptedOperator op;
    rx41::PartSettingsPanel panel(op);
    auto* level = rx041::test::findControl<QLineEdit>(panel, "Level(0)");
    level->setText("abc");
    leave(level, Qt::ActiveWindowFocusReason);
    QCOMPARE(level->text(), QString("abc"));
    QVERIFY(op.messages.isEmpty());
  }
};

RX041_QT_TEST(QuickFieldsTest)
#include "quick_fields_test.moc"
