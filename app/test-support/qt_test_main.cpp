#include "qt_test_main.h"

#include <QApplication>
#include <QMetaMethod>
#include <QTest>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "rx041/test_support/instant_waits.h"

namespace rx041::test {
namespace {

struct Registered {
  QtTestFactory make;
  FixedWaits waits;
};

std::map<std::string, Registered>& registry() {
  static std::map<std::string, Registered> classes;
  return classes;
}

int run(const Registered& registered, int argc, char** argv) {
  std::optional<InstantWaits> instant;
  if (registered.waits == FixedWaits::Instant) instant.emplace();
  const std::unique_ptr<QObject> test = registered.make();
  return QTest::qExec(test.get(), argc, argv);
}

bool isTestFunction(const QMetaMethod& method) {
  if (method.methodType() != QMetaMethod::Slot || method.access() != QMetaMethod::Private) return false;
  const QByteArray name = method.name();
  return !name.endsWith("_data") && name != "initTestCase" && name != "cleanupTestCase" && name != "init" &&
         name != "cleanup";
}

// "Class function" per line: what CTest registers, one entry each.
int list() {
  for (const auto& [className, registered] : registry()) {
    const std::unique_ptr<QObject> test = registered.make();
    const QMetaObject* meta = test->metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
      if (isTestFunction(meta->method(i)))
        std::printf("%s %s\n", className.c_str(), meta->method(i).name().constData());
  }
  return 0;
}

}  // namespace

bool registerQtTest(const char* className, QtTestFactory factory, FixedWaits waits) {
  return registry().emplace(className, Registered{std::move(factory), waits}).second;
}

}  // namespace rx041::test

// prog --list | prog CLASS [QTest arguments, e.g. a function name] | prog (every class)
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
