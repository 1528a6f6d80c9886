// The advanced memory window on the recording device: its rows and design-time
// addresses, the switch from ADC to OWI mode, entries that stop the loop with
// a message, and the part change. That a running loop neither runs twice nor
// lets the window close is checked in window_lifecycle_test.
#include "rx41/display/frm_advanced.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "dialog_bench.h"
#include "qt_test_main.h"

namespace {

using Bench = rx041::test::DialogBench<rx41::frmadvanced>;

QString row(const char* column, int index) { return QString("%1(%2)").arg(column).arg(index); }

// A bench with the part in OWI mode, shown.
void openInOwiMode(Bench& bench, std::int16_t part = 0, std::int16_t count = 2) {
  bench.state.ChipState[part] = rx41::kOwiMode;
  bench.form().Init(part, count);
  bench.show();
}

void type(Bench& bench, const QString& name, const QString& text) { bench.control<QLineEdit>(name)->setText(text); }

}  // namespace

class FrmAdvancedTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsCarryTheirDesignNamesAndAddresses() {
    Bench bench;
    const QStringList designAddresses{"1", "2", "3", "4", "5", "6",  "7",  "8",  "9",  "A",
                                      "B", "C", "D", "E", "F", "10", "11", "12", "14", "48"};
    for (int i = 0; i < rx41::frmadvanced::kRows; ++i) {
      QCOMPARE(bench.text(row("add", i)), designAddresses.value(i));
      QCOMPARE(bench.text(row("out", i)), QString());
      QCOMPARE(bench.text(row("Din", i)), QString());
    }
    const std::pair<const char*, const char*> frames[] = {{"Frame2", "Memory bank 0"},
                                                          {"Frame1", "Memory bank 1"},
                                                          {"Frame4", "Memory bank 2"},
                                                          {"Frame3", "Memory bank 3"}};
    for (const auto& [name, title] : frames) QCOMPARE(bench.control<QGroupBox>(name)->title(), QString(title));
    // Rows 8-15 lie in bank 1.
    QCOMPARE(bench.control("add(8)")->parentWidget(), bench.control("Frame1"));
    QCOMPARE(bench.control<QLabel>("Label2")->text(), QString("Data out:"));
    QCOMPARE(bench.text("memread"), QString("MemRead"));
    QCOMPARE(bench.text("memwritewithCRC"), QString("MemWrite"));
    QCOMPARE(bench.text("PartOption(1)"), QString("Part#2"));
    QCOMPARE(bench.window->windowTitle(), QString("Advanced Commands"));
  }

  void loadSelectsThePart() {
    for (const std::int16_t count : {std::int16_t{1}, std::int16_t{2}}) {
      Bench bench;
      openInOwiMode(bench, 1, count);
      QVERIFY(bench.control<QRadioButton>("PartOption(1)")->isChecked());
      QCOMPARE(bench.enabled("PartOption(0)"), count != 1);
      QCOMPARE(bench.enabled("PartOption(1)"), count != 1);
    }
  }

  void readAndWriteGoThroughTheRowsInOwiMode() {
    struct Case {
      std::int32_t chipState;
      QStringList modeCalls;
      bool served;
    };
    const Case cases[] = {
        {rx41::kOwiMode, {}, true},
        {rx41::kAdcMode, {"Customized_EnterOWI(1)"}, true},
        {rx41::kPowerOff, {}, false},
    };
    for (const Case& c : cases) {
      for (const char* button : {"memread", "memwritewithCRC"}) {
        Bench bench;
        bench.device->script().answer("MemRead", 0xA5);
        openInOwiMode(bench, 1);
        bench.state.ChipState[1] = c.chipState;
        type(bench, "add(18)", "");  // skipped
        type(bench, "Din(0)", "7f");
        type(bench, "Din(18)", "33");  // no address: skipped
        type(bench, "add(20)", "20");  // no data: skipped on write
        bench.click(button);
        const bool read = QString(button) == "memread";
        QStringList expected = c.modeCalls;
        if (c.served && read) {
          for (const char* address : {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10",
                                      "11", "12", "13", "14", "15", "16", "17", "18", "72", "32"})
            expected << QString("MemRead(1, %1)").arg(address);
        }
        if (c.served && !read) expected << "MemWrite(1, 1, 127)";
        QCOMPARE(bench.calls(), expected);
        QCOMPARE(bench.op.messages, c.served ? QStringList{} : QStringList{"Error: Not in OWI mode"});
        QCOMPARE(bench.text("out(19)"), c.served && read ? QString("A5") : QString());
        QCOMPARE(bench.text("out(18)"), QString());
      }
    }
  }

  void aFailedReadShows1FF() {
    Bench bench;
    bench.device->script().answer("MemRead", 511);
    openInOwiMode(bench);
    bench.click("memread");
    QCOMPARE(bench.text("out(0)"), QString("1FF"));
    QCOMPARE(bench.op.messages, QStringList{});
  }

  void anInvalidEntryStopsTheLoopAtItsRow() {
    struct Case {
      const char* button;
      const char* field;
      const char* text;
      const char* message;
      int rowsServed;
    };
    const Case cases[] = {
        {"memread", "add(21)", "XYZ", "Memory bank 2 row 6: 'XYZ' is not a hexadecimal address", 20},
        {"memread", "add(5)", "100", "Memory bank 0 row 6: '100' is not an address from 0 to FF", 5},
        {"memread", "add(5)", "FFFF", "Memory bank 0 row 6: 'FFFF' is not an address from 0 to FF", 5},
        {"memread", "add(0)", "1 2", "Memory bank 0 row 1: '1 2' is not a hexadecimal address", 0},
        {"memwritewithCRC", "add(2)", "G1", "Memory bank 0 row 3: 'G1' is not a hexadecimal address", 2},
        {"memwritewithCRC", "Din(3)", "XYZ", "Memory bank 0 row 4: 'XYZ' is not hexadecimal data", 3},
        {"memwritewithCRC", "Din(3)", "123456789", "Memory bank 0 row 4: '123456789' is not hexadecimal data", 3},
    };
    for (const Case& c : cases) {
      Bench bench;
      bench.device->script().answer("MemRead", 0x31);
      openInOwiMode(bench);
      for (int i = 0; i < 4; ++i) type(bench, row("Din", i), "5A");
      type(bench, c.field, c.text);
      bench.click(c.button);
      QCOMPARE(bench.op.messages, QStringList{c.message});
      const bool read = QString(c.button) == "memread";
      QCOMPARE(bench.calls(read ? "MemRead" : "MemWrite").size(), c.rowsServed);
      if (read && c.rowsServed > 0) QCOMPARE(bench.text(row("out", c.rowsServed - 1)), QString("31"));
      QVERIFY(!bench.form().loopRunning());
    }
  }

  void aFailedCallStopsTheLoopWithOneMessage() {
    Bench bench;
    bench.device->script().fail("MemRead", rx041::com::E_FAIL);
    openInOwiMode(bench);
    bench.click("memread");
    QCOMPARE(bench.op.messages, QStringList{"Method 'MemRead' of object 'IZQ3902Advanced' failed"});
    QCOMPARE(bench.calls("MemRead").size(), 1);
  }

  void changingThePartClearsTheDataColumns() {
    Bench bench;
    bench.device->script().answer("MemRead", 0x31);
    openInOwiMode(bench);
    bench.click("memread");
    type(bench, "Din(4)", "12");
    bench.click("PartOption(0)");  // the same part: kept
    QCOMPARE(bench.text("out(19)"), QString("31"));
    QCOMPARE(bench.text("Din(4)"), QString("12"));
    bench.click("PartOption(1)");
    for (int i = 0; i < rx41::frmadvanced::kRows; ++i) {
      QCOMPARE(bench.text(row("out", i)), QString());
      QCOMPARE(bench.text(row("Din", i)), QString());
    }
    QCOMPARE(bench.text("add(19)"), QString("48"));
    bench.state.ChipState[1] = rx41::kOwiMode;
    bench.forgetCalls();
    bench.click("memread");
    QCOMPARE(bench.calls("MemRead").first(), QString("MemRead(1, 1)"));
  }
};

RX041_QT_TEST(FrmAdvancedTest)
#include "frm_advanced_test.moc"
