#pragma once
// The status-line texts the windows build from the recorded states.
#include <QString>
#include <cstdint>
#include <initializer_list>

#include "rx41/core/app_state.h"

namespace rx41 {

// " -- Part#1: Power Off", " -- Part#2: ADC Mode", ... for part 0 or 1.
QString partStatusText(std::int16_t part, std::int32_t chipState);

// "Ready: Offline Mode" or "Ready: Connected with Programmer", followed by the
// texts of the given parts in order.
QString statusLine(const AppState& state, std::initializer_list<std::int16_t> parts = {0, 1});

}  // namespace rx41
