#include "flow_faults.h"

#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdlib>

#include "rx041/component/clock.h"
#include "rx41/rules/device_texts.h"

namespace rx041::test {
namespace {

// The device library's reply limits, as the test runs them (short where the
// wait is not the point).
qint64 owiLimitMs() { return rx041::com::replyLimitMs(5000); }
// Past the limit, so that the reply comes when the host has given up on it.
constexpr qint64 kLateByMs = 300;
// After a command gave up, the device sends its next frame a second after the
// give-up (up to one 300 ms poll later), so that a late reply is not taken.
constexpr qint64 kQuietAfterGiveUpMs = 1300;
// Commands a failed step may leave unanswered after the faulted one.
constexpr qint64 kFollowingTimeouts = 2;
// Scheduling on a shared two-core machine.
constexpr qint64 kSlackMs = 2000;

// Relay and mode commands ("R,...") have limits of their own.
qint64 replyLimitMs(const std::string& command) {
  return command.rfind("R,", 0) == 0 ? rx041::com::replyLimitMs(500) : owiLimitMs();
}

std::string benchWords(const FaultCase& c) {
  switch (c.fault) {
    case LineFault::Silent: return "silent";
    case LineFault::Delay: return "delay " + std::to_string(replyLimitMs(c.command) + kLateByMs);
    case LineFault::Split: return "split 1";
    case LineFault::Garbage: return "garbage";
    case LineFault::Refuse: return "refuse";
    case LineFault::Hangup: return "hangup";
    case LineFault::ChipAbsent: break;
  }
  return {};
}

// What the fault may add to the action's time on top of a clean run.
qint64 faultCostMs(const FaultCase& c, const OperatorFlow& flow) {
  switch (c.fault) {
    // Besides the faulted command's limit, a failed step may leave a few more
    // commands unanswered: a flow that goes on after a failed preparation
    // reads from a powered-off chip. The ADC reply reader takes the first line
    // for the reply and waits out its limit on a stray one, so a stray line
    // costs as much as a lost reply. Each time-out brings on the quiet period.
    case LineFault::Silent:
    case LineFault::Delay:
    case LineFault::Garbage:
      return replyLimitMs(c.command) + kFollowingTimeouts * owiLimitMs() +
             (1 + kFollowingTimeouts) * kQuietAfterGiveUpMs;
    case LineFault::ChipAbsent: return flow.absentChipTimeouts * (owiLimitMs() + kQuietAfterGiveUpMs);
    default: return 0;
  }
}

// Faults after which the action cannot have succeeded.
bool mustFail(LineFault fault) {
  return fault == LineFault::Refuse || fault == LineFault::Hangup || fault == LineFault::ChipAbsent;
}

void inject(bench::Bench& bench, const FaultCase& c) {
  if (c.fault == LineFault::ChipAbsent) {
    bench.setPresent(0, false);
    return;
  }
  const std::string reply = bench.control("fault once " + benchWords(c) + " at " + c.command);
  if (reply != "ok") qFatal("bench refused the fault: %s", reply.c_str());
}

void lift(bench::Bench& bench) {
  bench.control("fault none");
  bench.setPresent(0, true);
}

QString described(const QStringList& messages) {
  return QStringLiteral("[%1]").arg(messages.join(QStringLiteral(" | ")));
}

}  // namespace

QString caseName(const FaultCase& c) {
  if (c.fault == LineFault::ChipAbsent) return QStringLiteral("chip absent");
  return QStringLiteral("%1 at %2").arg(QString::fromStdString(benchWords(c)), QString::fromStdString(c.command));
}

std::vector<FaultCase> faultCases(const CommandKinds& kinds) {
  std::vector<FaultCase> cases;
  const auto writes = [](const std::string& kind) { return kind == "C,O,W"; };
  if (std::getenv("RX041_FAULTS_FULL")) {
    for (const std::string& kind : kinds) {
      for (const LineFault fault :
           {LineFault::Silent, LineFault::Delay, LineFault::Split, LineFault::Garbage, LineFault::Hangup})
        cases.push_back({fault, kind});
      if (writes(kind)) cases.push_back({LineFault::Refuse, kind});
    }
    cases.push_back({LineFault::ChipAbsent, {}});
    return cases;
  }
  // The sample: a hang-up, a refused write (else a stray line), one reply in
  // one piece and one lost reply, where a relay command can lose it cheaply.
  const auto write = std::find_if(kinds.begin(), kinds.end(), writes);
  const auto relay = std::find_if(kinds.begin(), kinds.end(), [](const std::string& kind) { return kind[0] == 'R'; });
  cases.push_back({LineFault::Hangup, kinds.front()});
  cases.push_back(write != kinds.end() ? FaultCase{LineFault::Refuse, *write}
                                       : FaultCase{LineFault::Garbage, kinds.back()});
  cases.push_back({LineFault::Split, kinds[1 % kinds.size()]});
  cases.push_back({LineFault::Silent, relay != kinds.end() ? *relay : kinds.back()});
  return cases;
}

void runUnderFault(BenchWindow& s, const OperatorFlow& flow, const FaultCase& c) {
  flow.prepare();
  QVERIFY2(s.op.messages.isEmpty(), qPrintable(QStringLiteral("before the fault: ") + described(s.op.messages)));

  inject(s.bench, c);
  QElapsedTimer timer;
  timer.start();
  flow.act();
  const qint64 faultedMs = timer.elapsed();
  const QStringList told = s.op.messages;
  const bool failureShown = !told.isEmpty() || flow.failureShownOtherwise();
  const bool done = flow.done();
  const std::string fault = s.bench.control("fault");
  lift(s.bench);
  if (c.fault != LineFault::ChipAbsent)
    QVERIFY2(fault == "ok none", qPrintable(QStringLiteral("the action sent no %1").arg(c.command.c_str())));

  if (flow.silenceMeansDone) {
    QVERIFY2(failureShown || done, "nothing told, and the result is not there");
    if (mustFail(c.fault) && (c.fault != LineFault::ChipAbsent || flow.needsTheChip))
      QVERIFY2(failureShown, "the fault went unnoticed");
  }
  // A missing chip is named as not answering, never blamed on a lock.
  if (c.fault == LineFault::ChipAbsent)
    QVERIFY2(!told.contains(QLatin1String(rx41::device_text::kOwiRefused)), qPrintable(described(told)));
  const QString lost = QLatin1String(rx41::device_text::kProgrammerLost);
  if (c.fault == LineFault::Hangup) {
    QVERIFY2(told == QStringList{lost}, qPrintable(described(told)));
    // Pressed again before reconnecting (where the button is still enabled),
    // the action ends at once and is told the same, not blamed on the chip.
    s.op.messages.clear();
    timer.restart();
    flow.act();
    QVERIFY2(s.op.messages.isEmpty() || s.op.messages == QStringList{lost}, qPrintable(described(s.op.messages)));
    QVERIFY2(timer.elapsed() < kSlackMs, qPrintable(QString::number(timer.elapsed())));
  } else {
    QVERIFY2(!told.contains(lost), qPrintable(described(told)));
  }

  flow.reconnect();
  s.op.messages.clear();
  flow.prepare();
  timer.restart();
  flow.act();
  const qint64 cleanMs = timer.elapsed();
  QVERIFY2(s.op.messages.isEmpty(), qPrintable(QStringLiteral("after recovery: ") + described(s.op.messages)));
  QVERIFY2(flow.done(), "after recovery the result is not there");

  const qint64 boundMs = cleanMs + faultCostMs(c, flow) + kSlackMs;
  QVERIFY2(faultedMs <= boundMs,
           qPrintable(QStringLiteral("%1 ms under the fault, %2 ms clean").arg(faultedMs).arg(cleanMs)));
  qInfo("%s: %lld ms under the fault, %lld ms clean, told %s", qPrintable(caseName(c)), faultedMs, cleanMs,
        qPrintable(described(told)));
}

}  // namespace rx041::test
