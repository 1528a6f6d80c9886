#pragma once
// Several Qt test classes in one test program: each test file registers its
// class with RX041_QT_TEST(Class) instead of a main of its own. The program
// runs the class (and the test functions) named on its command line, or lists
// its CTest entries with --list (rx041_add_qt_test_program): one a test
// function, or, for a class registered RX041_QT_TEST_BY_ROW_GROUP, one per
// group of data rows (the rows "flow: case" of one flow), so that ctest -j
// spreads them.
// The libraries' fixed waits are instant and the reply limits short while a
// class runs, unless it is registered with RX041_QT_TEST_REAL_WAITS: the
// end-to-end runs on the virtual bench, which prove the product's timing.
#include <QObject>
#include <functional>
#include <memory>

namespace rx041::test {

using QtTestFactory = std::function<std::unique_ptr<QObject>()>;
enum class FixedWaits { Instant, Real };
enum class Entries { PerFunction, PerRowGroup };
bool registerQtTest(const char* className, QtTestFactory factory, FixedWaits waits, Entries entries);

}  // namespace rx041::test

#define RX041_QT_TEST_WITH(Class, waits, entries)                            \
  namespace {                                                                \
  const bool registered##Class = rx041::test::registerQtTest(                \
      #Class, [] { return std::make_unique<Class>(); }, (waits), (entries)); \
  }
#define RX041_QT_TEST(Class) \
  RX041_QT_TEST_WITH(Class, rx041::test::FixedWaits::Instant, rx041::test::Entries::PerFunction)
#define RX041_QT_TEST_REAL_WAITS(Class) \
  RX041_QT_TEST_WITH(Class, rx041::test::FixedWaits::Real, rx041::test::Entries::PerFunction)
#define RX041_QT_TEST_BY_ROW_GROUP(Class) \
  RX041_QT_TEST_WITH(Class, rx041::test::FixedWaits::Instant, rx041::test::Entries::PerRowGroup)
