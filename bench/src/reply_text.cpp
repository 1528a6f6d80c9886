#include "reply_text.h"

#include <cstdio>

namespace rx041::bench::reply {
namespace {

bool both(char part) { return part == '0'; }

std::string line(const std::string& text) { return text + '\n'; }

std::string partName(char part) { return std::string("Part#") + part; }  // "Part#1"
std::string partTag(char part) { return std::string("P") + part; }       // "P1"

std::string hexByte(int value) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", value & 0xFF);
  return text;
}

}  // namespace

std::string powerOn(char part) {
  return line(both(part) ? "Both power relays: ON" : partName(part) + " power relay ON");
}

std::string powerOff(char part) {
  return line(both(part) ? "Both power relays: OFF" : partName(part) + " power relay OFF");
}

std::string relaySupply(char part) { return line("ADC = " + partName(part) + " supply"); }
std::string relayOutput(char part) { return line("ADC = " + partName(part) + " output"); }

std::string owiMode(char part) { return line(both(part) ? "All to OWI mode" : partName(part) + " OWI mode"); }
std::string adcMode(char part) { return line(both(part) ? "All to ADC mode" : partName(part) + " ADC mode"); }

std::string owiEnter(char part) { return line(both(part) ? "OWI P1+P2 on" : "OWI " + partTag(part) + " active"); }

std::string owiExit(char part) {
  return line(both(part) ? "OWI all sessions done" : "OWI " + partTag(part) + " session closed");
}

std::string owiRead(char part, int address, int value) {
  return line(partTag(part) + " OWI Read " + hexByte(address) + ": " + hexByte(value));
}

std::string owiWrite(char part, int address, int value) {
  return line(partTag(part) + " OWI Write: " + hexByte(address) + " " + hexByte(value));
}

std::string owiWriteRefused(char part) { return line(partTag(part) + " OWI Write: fail!"); }

std::string owiErase(char part) { return line(partTag(part) + " EEPROM OWI Erase ok"); }
std::string owiStore(char part) { return line(partTag(part) + " OWI Store done"); }
std::string owiLoad(char part) { return line(partTag(part) + " OWI Load done"); }

std::string adcReading(int code) {
  // The code's two bytes, then the carriage-return code the firmware appends.
  return line("ADC code: " + hexByte(code >> 8) + "," + hexByte(code) + ",0D");
}

std::string version(int major, int minor, int build) {
  char text[32];
  std::snprintf(text, sizeof text, "Firmware: RX041 V%d.%d.%d (sim)", major % 10, minor % 10, build % 10);
  return line(text);
}

std::string owiError(char part, OwiProblem problem) {
  switch (problem) {
    case OwiProblem::NoPower: return line(partTag(part) + " no power");
    case OwiProblem::NotOwiMode: return line(partTag(part) + " not OWI");
    case OwiProblem::NotEntered: return line(partTag(part) + " OWI off");
    case OwiProblem::Locked: return line(partTag(part) + " locked");
  }
  return line(partTag(part) + " error");
}

}  // namespace rx041::bench::reply
