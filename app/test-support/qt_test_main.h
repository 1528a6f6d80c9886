#pragma once
// Several Qt test classes in one test program: each test file registers its
// class with RX041_QT_TEST(Class) instead of a main of its own. The program
// runs the class and test function named on its command line, as one CTest
// entry each (rx041_add_qt_test_program), or lists them with --list.
// The libraries' fixed waits are instant while a class runs, unless it is
// registered with RX041_QT_TEST_REAL_WAITS: the end-to-end runs on the
// virtual bench, which prove the product's timing.
#include <QObject>
#include <functional>
#include <memory>

namespace rx041::test {

using QtTestFactory = std::function<std::unique_ptr<QObject>()>;
enum class FixedWaits { Instant, Real };
bool registerQtTest(const char* className, QtTestFactory factory, FixedWaits waits);

}  // namespace rx041::test

#define RX041_QT_TEST_WITH(Class, waits)                          \
  namespace {                                                     \
  const bool registered##Class = rx041::test::registerQtTest(     \
      #Class, [] { return std::make_unique<Class>(); }, (waits)); \
  }
#define RX041_QT_TEST(Class) RX041_QT_TEST_WITH(Class, rx041::test::FixedWaits::Instant)
#define RX041_QT_TEST_REAL_WAITS(Class) RX041_QT_TEST_WITH(Class, rx041::test::FixedWaits::Real)
