#include "bench_fixture.h"

#include <cstdio>

#include "host_rules.h"

namespace rx041::bench::test {

std::string frame(char group, char operation, char access, int partField, int first, int second) {
  char text[32];
  std::snprintf(text, sizeof text, "$%c,%c,%c,%d,%02X,%02X#", group, operation, access, partField, first, second);
  return text;
}

BenchTest::BenchTest() : bench(std::make_unique<Bench>()), host(std::make_unique<RawLine>(bench->devicePath())) {}

std::string BenchTest::exchange(const std::string& frameText, std::chrono::milliseconds timeout) {
  host->send(frameText);
  return host->readLine(timeout).value_or("");
}

void BenchTest::enterOwi(int part) {
  const int field = part + 1;
  ASSERT_EQ(exchange(frame('R', 'P', 'O', field)).size(), 21u);
  ASSERT_EQ(exchange(frame('R', 'D', 'O', field)).size(), 15u);
  ASSERT_EQ(exchange(frame('M', 'E', 'W', field, 0x1F, 0x55)).size(), 13u);
}

void BenchTest::writeRegister(int part, int address, int value) {
  ASSERT_EQ(judgeWrite(exchange(frame('C', 'O', 'W', part + 1, address, value)), address), 0)
      << "write " << address << " = " << value;
}

int BenchTest::readRegister(int part, int address) {
  return judgeRead(exchange(frame('C', 'O', 'R', part + 1, address)));
}

double BenchTest::measureOutputPercent(int part, double vdd) {
  exchange(frame('R', 'D', 'A', part + 1));
  exchange(frame('R', 'M', 'A', part + 1));
  const auto code = judgeAdc(exchange(frame('M', 'T', 'W', 0)));
  if (!code) {
    ADD_FAILURE() << "no ADC reading";
    return -1;
  }
  return (*code - 32768) * 0.000152587890625 * 100.0 / vdd;
}

}  // namespace rx041::bench::test
