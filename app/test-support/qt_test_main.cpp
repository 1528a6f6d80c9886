#include "qt_test_main.h"

#include <QApplication>
#include <QMetaMethod>
#include <QProcess>
#include <QTest>
#include <cstdio>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "rx041/test_support/instant_waits.h"
#include "rx041/test_support/short_reply_limits.h"

namespace rx041::test {
namespace {

struct Registered {
  QtTestFactory make;
  FixedWaits waits;
  Entries entries;
};

std::map<std::string, Registered>& registry() {
  static std::map<std::string, Registered> classes;
  return classes;
}

int run(const Registered& registered, int argc, char** argv) {
  std::optional<InstantWaits> instant;
  std::optional<ShortReplyLimits> shortLimits;
  if (registered.waits == FixedWaits::Instant) {
    instant.emplace();
    shortLimits.emplace();
  }
  const std::unique_ptr<QObject> test = registered.make();
  return QTest::qExec(test.get(), argc, argv);
}

bool isTestFunction(const QMetaMethod& method) {
  if (method.methodType() != QMetaMethod::Slot || method.access() != QMetaMethod::Private) return false;
  const QByteArray name = method.name();
  return !name.endsWith("_data") && name != "initTestCase" && name != "cleanupTestCase" && name != "init" &&
         name != "cleanup";
}

// What QTest's -datatags prints for the class ("Class function tag" lines).
// QTest ends the process after printing them, so a child prints them.
std::vector<std::string> dataTagLines(const std::string& className) {
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(), {QString::fromStdString(className), "-datatags"});
  if (!child.waitForFinished(60000)) return {};
  std::vector<std::string> lines;
  std::istringstream printed(child.readAllStandardOutput().toStdString());
  for (std::string line; std::getline(printed, line);) lines.push_back(line);
  return lines;
}

// One CTest entry a line: its name, then the program's arguments, separated by tabs.
void printEntry(const std::string& name, const std::vector<std::string>& arguments) {
  std::printf("%s", name.c_str());
  for (const std::string& argument : arguments) std::printf("\t%s", argument.c_str());
  std::printf("\n");
}

void listRowGroups(const std::string& className) {
  // "Class function flow: case": the rows of one flow make one entry.
  std::map<std::string, std::vector<std::string>> groups;
  for (const std::string& line : dataTagLines(className)) {
    std::istringstream words(line);
    std::string listedClass, function;
    words >> listedClass >> function;
    std::string tag;
    std::getline(words >> std::ws, tag);
    if (listedClass != className || tag.empty()) continue;
    const std::string group = tag.substr(0, tag.find(": "));
    groups[function + "." + group].push_back(function + ":" + tag);
  }
  for (auto& [group, rows] : groups) {
    rows.insert(rows.begin(), className);
    printEntry(className + "." + group, rows);
  }
}

int list() {
  for (const auto& [className, registered] : registry()) {
    if (registered.entries == Entries::PerRowGroup) {
      listRowGroups(className);
      continue;
    }
    const std::unique_ptr<QObject> test = registered.make();
    const QMetaObject* meta = test->metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
      if (isTestFunction(meta->method(i))) {
        const std::string function = meta->method(i).name().toStdString();
        printEntry(className + "." + function, {className, function});
      }
  }
  return 0;
}

}  // namespace

bool registerQtTest(const char* className, QtTestFactory factory, FixedWaits waits, Entries entries) {
  return registry().emplace(className, Registered{std::move(factory), waits, entries}).second;
}

}  // namespace rx041::test

// prog --list | prog CLASS [QTest arguments, e.g. functions with data tags] | prog (every class)
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc > 1 && std::string(argv[1]) == "--list") return rx041::test::list();
  auto& classes = rx041::test::registry();
  if (argc > 1) {
    const auto found = classes.find(argv[1]);
    if (found == classes.end()) {
      std::fprintf(stderr, "no test class %s\n", argv[1]);
      return 2;
    }
    std::vector<char*> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    return rx041::test::run(found->second, static_cast<int>(arguments.size()), arguments.data());
  }
  int failed = 0;
  for (const auto& [className, registered] : classes) failed += rx041::test::run(registered, 1, argv) != 0;
  return failed;
}
