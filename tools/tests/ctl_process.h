#pragma once
// The rx041ctl program for its tests, in the foreground or in the background.
#include "program_process.h"

namespace rx041::ctl::testing {

inline test::ProcessResult runCtl(const std::string& args, const std::string& stdinText = "") {
  return test::runProgram(RX041CTL_PROGRAM, args, stdinText);
}

class BackgroundCtl : public test::BackgroundProgram {
 public:
  explicit BackgroundCtl(const std::string& args) : BackgroundProgram(RX041CTL_PROGRAM, args) {}
};

}  // namespace rx041::ctl::testing
