// Every store path of every programming window, on the recording device:
// each EEPROM store attempted leaves exactly one record per part, naming the
// window, the part, what was stored, the read-back and the outcome; a
// register read back wrong stops the store (both parts of a pair) with its
// message.
#include <QAbstractButton>
#include <QDialog>
#include <QTest>
#include <functional>

#include "dual_window_fixture.h"
#include "qt_test_main.h"
#include "quick_window_fixture.h"
#include "rx041/records/programming_record.h"

namespace {

using rx041::records::EepromContents;
using rx041::records::VerificationResult;
using rx041::test::WindowBench;

// What the healthy recording chip answers to every register read.
constexpr std::uint8_t kReadBack = 0x31;
constexpr std::int32_t kStuckAddress = 0x0B;
constexpr std::uint8_t kStuckWrite = 0x66;

enum class Ending { Stored, StoreFailed, Stuck };

// A window's two store paths: the preparation (a cleared solver) and the
// store of the configured settings, each driven as the operator would.
struct StorePaths {
  const char* argument;
  int parts;
  std::function<std::unique_ptr<WindowBench>()> open;
  std::function<void(WindowBench&)> prepare;
  std::function<void(WindowBench&)> program;
};

std::unique_ptr<WindowBench> quickWindow(const char* argument, const QStringList& levels) {
  auto bench = std::make_unique<quick_test::WindowBench>(argument);
  bench->healthyChip();
  bench->connect();
  for (int k = 0; k < levels.size(); ++k) bench->type(QStringLiteral("Level(%1)").arg(k), levels[k]);
  return bench;
}

// Set point A (after Power On where the window has it) prepares the chips and
// teaches point A at 40 degrees; Set point B ("Program" in "/6") stores.
void quickPrepare(WindowBench& bench) {
  bench.device->script().answer("GetAngle", 40.0);
  if (bench.control("PowerOn")) bench.click("PowerOn");
  bench.click("SetpointA");
  bench.device->script().answer("GetAngle", 140.0);
}
void quickProgram(WindowBench& bench) { bench.click("SetpointB"); }

// Powered (both parts in the twin) with points A and B typed; "New Device"
// prepares, "Program" stores.
std::unique_ptr<WindowBench> dualWindow(rx41::Sources sources, int parts) {
  auto bench = std::make_unique<dual_test::DualBench>(sources);
  bench->connectAndPowerOn(0);
  for (std::int16_t part = 0; part < parts; ++part) bench->typeTwoPoints(part);
  return bench;
}

std::vector<StorePaths> storePaths() {
  const QStringList one{"10", "90"}, pair{"10", "90", "20", "80"};
  const auto quick = [&](const char* argument, int parts) {
    const QStringList levels = parts == 2 ? pair : one;
    return StorePaths{argument, parts,
                      [=] {
                        auto bench = quickWindow(argument, levels);
                        // Point B 30 degrees after the taught point A, the DP well outside A..B.
                        if (QString(argument) == "/6") {
                          bench->type("OffsetAngleB", "30");
                          bench->type("OffsetDP", "200");
                        }
                        return bench;
                      },
                      quickPrepare, quickProgram};
  };
  const auto dual = [&](const char* argument, rx41::Sources sources, int parts) {
    return StorePaths{argument, parts, [=] { return dualWindow(sources, parts); },
                      [](WindowBench& bench) { bench.click("newdevice(0)"); },
                      [](WindowBench& bench) { bench.click("btnconfigsolver(0)"); }};
  };
  return {quick("/2", 1),
          quick("/4", 1),
          quick("/6", 1),
          quick("/3", 2),
          quick("/5", 2),
          dual("/1", rx41::Sources::Dual, 1),
          dual("/0", rx41::Sources::Single, 2)};
}

QString verificationFailure(int part) {
  return QStringLiteral("Part#%1: verification failed at register 0x0B: wrote 0x66, read 0x31").arg(part);
}

}  // namespace

class StoreRecordTest : public QObject {
  Q_OBJECT

 private slots:
  void everyStorePathWritesOneRecordPerPart_data() {
    QTest::addColumn<int>("window");  // index into storePaths()
    QTest::addColumn<int>("ending");
    const auto paths = storePaths();
    for (int i = 0; i < static_cast<int>(paths.size()); ++i)
      for (const auto& [name, ending] :
           {std::pair{"stored", Ending::Stored}, std::pair{"store failed", Ending::StoreFailed},
            std::pair{"stuck register", Ending::Stuck}})
        QTest::addRow("%s %s", paths[static_cast<std::size_t>(i)].argument, name) << i << static_cast<int>(ending);
  }
  void everyStorePathWritesOneRecordPerPart() {
    QFETCH(int, window);
    QFETCH(int, ending);
    const StorePaths path = storePaths()[static_cast<std::size_t>(window)];
    const auto bench = path.open();
    auto& script = bench->device->script();
    for (auto& image : script.written)
      for (std::int32_t address = 1; address <= 22; ++address)
        image.values[static_cast<std::size_t>(address)] = kReadBack;
    path.prepare(*bench);
    QCOMPARE(bench->op.messages, QStringList{});

    // The last part is the one whose store fails or whose register is stuck.
    const int failingPart = path.parts;
    QStringList messages;
    if (ending == static_cast<int>(Ending::StoreFailed)) {
      for (int part = 1; part < path.parts; ++part) script.answerOnce("ProgramDevice", {0});
      script.answerOnce("ProgramDevice", {2});
      messages << (path.parts == 2 ? "Part#1 programmed; Part#2 failed in programming device"
                                   : "Failed in programming device");
    } else if (ending == static_cast<int>(Ending::Stuck)) {
      script.written[failingPart - 1].values[kStuckAddress] = kStuckWrite;
      messages << verificationFailure(failingPart);
    }
    path.program(*bench);
    QCOMPARE(bench->op.messages, messages);

    const auto records = rx041::test::programmingRecords();
    QCOMPARE(static_cast<int>(records.size()), 2 * path.parts);
    for (int i = 0; i < 2 * path.parts; ++i) {
      const rx041::records::ProgrammingRecord& record = records[static_cast<std::size_t>(i)];
      const int part = i % path.parts + 1;
      const bool configured = i >= path.parts;
      const QString row = QStringLiteral("record %1").arg(i);
      QCOMPARE(record.mode, std::string(path.argument));
      // The window of the argument's row.
      QCOMPARE(record.window, bench->window->objectName().toStdString());
      QCOMPARE(record.part, part);
      QCOMPARE(record.port, std::string("COM3"));
      QCOMPARE(record.chipId, std::optional<std::int32_t>(0x31));
      QCOMPARE(record.registers.size(), std::size_t{22});
      QCOMPARE(record.contents,
               configured ? rx041::records::EepromContents::Configured : rx041::records::EepromContents::Cleared);
      QCOMPARE(record.settings.has_value(), configured);
      if (!configured) {
        QVERIFY2(record.stored(), qPrintable(row));
        QCOMPARE(record.verification.result, rx041::records::VerificationResult::Passed);
        continue;
      }
      QCOMPARE(record.settings->points[0].angle, std::optional<float>(40.0f));
      const bool failing = part == failingPart;
      switch (static_cast<Ending>(ending)) {
        case Ending::Stored:
          QCOMPARE(record.verification.result, rx041::records::VerificationResult::Passed);
          QCOMPARE(record.verification.reads, 22);
          QCOMPARE(record.outcome, std::string(rx041::records::kStoredOutcome));
          break;
        case Ending::StoreFailed:
          QCOMPARE(record.verification.result, rx041::records::VerificationResult::Passed);
          QCOMPARE(record.programResult, std::optional<std::int32_t>(failing ? 2 : 0));
          QCOMPARE(QString::fromStdString(record.outcome),
                   failing ? QString("Failed in programming device") : QString("stored"));
          break;
        case Ending::Stuck:
          QCOMPARE(record.verification.result,
                   failing ? rx041::records::VerificationResult::Failed : rx041::records::VerificationResult::Passed);
          QCOMPARE(record.programResult, std::nullopt);
          QCOMPARE(QString::fromStdString(record.outcome), verificationFailure(failingPart));
          break;
      }
    }
    const int stores = ending == static_cast<int>(Ending::Stuck) ? path.parts : 2 * path.parts;
    QCOMPARE(bench->calls("ProgramDevice").size(), stores);
  }

  void theCommLockStoreIsRecordedPerPart() {
    for (const auto& [sources, parts] : {std::pair{rx41::Sources::Dual, 1}, std::pair{rx41::Sources::Single, 2}}) {
      const auto bench = dualWindow(sources, parts);
      bench->op.modalHandlers.push_back([](QDialog& confirm) { confirm.findChild<QAbstractButton*>("yes")->click(); });
      bench->click("owilock(0)");
      QCOMPARE(bench->calls("Commlock").size(), parts);
      const auto records = rx041::test::programmingRecords();
      QCOMPARE(static_cast<int>(records.size()), parts);
      for (int i = 0; i < parts; ++i) {
        const rx041::records::ProgrammingRecord& record = records[static_cast<std::size_t>(i)];
        QCOMPARE(record.part, i + 1);
        QCOMPARE(record.contents, rx041::records::EepromContents::CommLock);
        QCOMPARE(record.verification.reason, std::string("read back by the device before its store"));
        QVERIFY(record.stored());
      }
    }
  }
};

RX041_QT_TEST(StoreRecordTest)
#include "store_record_test.moc"
