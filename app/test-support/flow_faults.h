#pragma once
// Operator flows against the virtual bench through the real device and channel
// libraries, with one bench fault injected into one command kind of the flow's
// action: the action must end within its commands' time limits, silence must
// mean a result that is really there, the operator is told a lost programmer
// as such, and after the fault is lifted a Disconnect, a Connect and the same
// flow again must work. The window families describe their flows; the table of
// faults and the checks are here once.
#include <QString>
#include <QTest>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "bench_window.h"

namespace rx041::test {

enum class LineFault { Silent, Delay, Split, Garbage, Refuse, Hangup, ChipAbsent };

struct FaultCase {
  LineFault fault;
  std::string command;  // the command kind it hits, as a frame starts it ("C,O,R"); none for ChipAbsent
};

// "hangup at C,O,R", "chip absent".
QString caseName(const FaultCase& faultCase);

// The command kinds an action sends, as frames start them.
using CommandKinds = std::vector<std::string>;

// The cases for an action: with RX041_FAULTS_FULL set, every fault at every
// kind (refuse at OWI writes only) and an absent chip; otherwise the sample
// every test run takes: a hang-up, a refused write or a stray line, a reply
// in one piece and a lost reply.
std::vector<FaultCase> faultCases(const CommandKinds& kinds);

// The data rows of a fault table: the columns "flow" (an index into flows),
// "fault" and "command", one row per flow and case, named after both. A flow
// has a name and the command kinds of its action.
template <typename Flows>
void addFaultRows(const Flows& flows) {
  QTest::addColumn<int>("flow");
  QTest::addColumn<int>("fault");
  QTest::addColumn<QString>("command");
  for (std::size_t i = 0; i < flows.size(); ++i)
    for (const auto& c : faultCases(flows[i].kinds))
      QTest::addRow("%s: %s", flows[i].name, qPrintable(caseName(c)))
          << static_cast<int>(i) << static_cast<int>(c.fault) << QString::fromStdString(c.command);
}

// One operator flow, as the fault table drives it.
struct OperatorFlow {
  std::function<void()> prepare;    // from a fresh connection, the fault-free steps before the action
  std::function<void()> act;        // the action the fault is injected into
  std::function<bool()> done;       // whether the action's result is really there (registers, fields)
  std::function<void()> reconnect;  // Disconnect and Connect
  // A failure the window shows other than by a message (the memory window's 1FF).
  std::function<bool()> failureShownOtherwise = [] { return false; };
  // False for an action whose outcome the window cannot know (a register
  // write has no result): it is then not held to telling a failure.
  bool silenceMeansDone = true;
  // False for an action that measures the output pin: without a chip it reads 0 V, truly.
  bool needsTheChip = true;
  // The commands an absent chip leaves unanswered before the action stops
  // (entering OWI mode, the identification, the angle registers, ...).
  int absentChipTimeouts = 6;
};

// Runs the flow's action under the fault, lifts it, reconnects and runs the
// flow again; every check is a test failure of the calling test function.
void runUnderFault(BenchWindow& session, const OperatorFlow& flow, const FaultCase& faultCase);

}  // namespace rx041::test
