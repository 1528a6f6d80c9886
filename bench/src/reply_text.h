#pragma once
// The board's reply lines. Each ends in a single line feed; the text before it
// has exactly the length the host examines for that command, so a host that
// reads the last N characters sees the whole line.
#include <string>

namespace rx041::bench::reply {

// `part` is the frame's part field: '1', '2', or '0' for both parts.
std::string powerOn(char part);
std::string powerOff(char part);
std::string relaySupply(char part);
std::string relayOutput(char part);
std::string owiMode(char part);
std::string adcMode(char part);
std::string owiEnter(char part);
std::string owiExit(char part);
std::string owiRead(char part, int address, int value);
std::string owiWrite(char part, int address, int value);
std::string owiWriteRefused(char part);
std::string owiErase(char part);
std::string owiStore(char part);
std::string owiLoad(char part);
std::string adcReading(int code);
std::string version(int major, int minor, int build);

// Why an OWI command could not reach the chip. The line is shorter than any
// OWI reply, so a host takes it for no answer.
enum class OwiProblem { NoPower, NotOwiMode, NotEntered, Locked };
std::string owiError(char part, OwiProblem problem);

}  // namespace rx041::bench::reply
