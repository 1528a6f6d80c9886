#include "rx41/core/status_text.h"

namespace rx41 {

QString partStatusText(std::int16_t part, std::int32_t chipState) {
  QString mode;
  switch (chipState) {
    case kPowerOff: mode = QStringLiteral("Power Off"); break;
    case kAdcMode: mode = QStringLiteral("ADC Mode"); break;
    case kOwiMode: mode = QStringLiteral("OWI Mode"); break;
    default: mode = QStringLiteral("Unrecognized Mode!");
  }
  return QStringLiteral(" -- Part#%1: %2").arg(part + 1).arg(mode);
}

QString statusLine(const AppState& state, std::initializer_list<std::int16_t> parts) {
  QString line = state.ProgrammerState == kOffline ? QStringLiteral("Ready: Offline Mode")
                                                   : QStringLiteral("Ready: Connected with Programmer");
  for (const std::int16_t part : parts)
    if (part == 0 || part == 1) line += partStatusText(part, state.ChipState[part]);
  return line;
}

}  // namespace rx41
