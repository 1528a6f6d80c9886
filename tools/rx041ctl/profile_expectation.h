#pragma once
// What a profile file of the application's windows says each part puts out:
// the settings its expected curve is built from, read with the windows' own
// profile layouts, field rules and target point rules (the plain rules
// libraries of the quick and the dual-part windows), for the output check of
// MeasurePoint --expect.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "rx41/rules/output_check.h"

namespace rx041::ctl {

struct ProfileExpectation {
  std::string layout;  // "quick", "quick pair", "dual-part"
  // A part's settings, or why the window would refuse them.
  std::array<std::variant<rx41::CurveSettings, std::string>, 2> parts;
};

// Reads a quick window's profile (9 lines: one part, its index first; 18: both
// parts) or a dual-part window's (42 lines). None with the reason when the
// file is none of them.
std::variant<ProfileExpectation, std::string> readProfileExpectation(const std::filesystem::path& file);

}  // namespace rx041::ctl
