#include "rx41/device_messages.h"

#include "rx41/number_text.h"

namespace rx41::device_text {

QString methodFailed(const char* object, const char* member) {
  return QStringLiteral("Method '%1' of object '%2' failed").arg(QLatin1String(member), QLatin1String(object));
}

QString solverCopyMessage(std::int32_t result) {
  switch (result) {
    case 1: return QStringLiteral("Chip Index Error!");
    case 2: return QStringLiteral("Error in WriteBufferToDevice!");
    case 3: return QStringLiteral("Die1: Clamp High <= Clamp Low!");
    case 4: return QStringLiteral("Die2: Clamp High <= Clamp Low!");
    default: return {};
  }
}

QString notAnswering(PartSet parts) {
  if (parts.isPair())
    return QStringLiteral("Part#1 and Part#2 do not answer: check that the chips are in their sockets");
  return QStringLiteral("Part#%1 does not answer: check that the chip is in its socket").arg(parts.first() + 1);
}

QString invalidOffsets(std::int16_t part, float k, float b) {
  return QStringLiteral("Offset Parameters of Part#%1 are invalid! K%2: %3 B%2: %4")
      .arg(part + 1)
      .arg(part)
      .arg(singleText(k), singleText(b));
}

}  // namespace rx41::device_text
