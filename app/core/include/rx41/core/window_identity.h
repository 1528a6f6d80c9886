#pragma once
// What a working window is called: the start-up argument that opens it and
// its class name, as its row in the window table gives them. The window hands
// both to its device calls, so that each programming record names the window
// (mode and class) that made the store.
#include <string_view>

namespace rx41 {

struct WindowIdentity {
  std::string_view argument;   // "/2"
  std::string_view className;  // "MainForm2PointsProgramming"
};

}  // namespace rx41
