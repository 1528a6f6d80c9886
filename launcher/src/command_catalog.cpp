#include "command_catalog.h"

#include <array>

namespace rx041::launcher {
namespace {

// {P}, {A} and {D} stand for the part digit, the address and the data text.
struct CommandEntry {
  int group;
  const char* item;
  const char* frame;
};

constexpr std::array kCommands{
    CommandEntry{0, "00:Power On (single relay)", "$R,P,O,{P},FF,FF#"},
    CommandEntry{0, "01:Power Off (single relay)", "$R,P,F,{P},FF,FF#"},
    CommandEntry{0, "02:Measure VDD to Chip", "$R,M,V,{P},FF,FF#"},
    CommandEntry{0, "03:Measure Analog from Chip", "$R,M,A,{P},FF,FF#"},
    CommandEntry{0, "04:Programmer OWI mode", "$R,D,O,{P},FF,FF#"},
    CommandEntry{0, "05:Programmer ADC mode", "$R,D,A,{P},FF,FF#"},
    CommandEntry{1, "10:OWI Read", "$C,O,R,{P},{A},FF#"},
    CommandEntry{1, "11:OWI Write", "$C,O,W,{P},{A},{D}#"},
    // The board takes the OWI mode code 1F in either case; the console has
    // always sent it in lower case.
    CommandEntry{2, "20:OWI Connect both Parts", "$M,E,W,0,1f,55#"},
    CommandEntry{2, "21:OWI Connect selected", "$M,E,W,{P},1f,55#"},
    CommandEntry{2, "22:OWI Exit", "$M,e,W,{P},1f,55#"},
    CommandEntry{2, "23:OWI Erase", "$M,A,W,{P},52,FF#"},
    CommandEntry{2, "24:OWI Store", "$M,S,W,{P},50,FF#"},
    CommandEntry{2, "25:OWI Load", "$M,L,W,{P},1f,55#"},
    CommandEntry{3, "30:Get Programmer ADC Measurement", "$M,T,W,0,FF,FF#"},
    CommandEntry{3, "31:Get Programmer firmware version", "$V,V,R,0,FF,FF#"},
};

// One pass over the frame, so typed text that looks like a marker stays as typed.
QString expandFrame(const QString& frame, const CommandInput& input) {
  QString text;
  for (qsizetype i = 0; i < frame.size(); ++i) {
    if (frame[i] == u'{' && i + 2 < frame.size() && frame[i + 2] == u'}') {
      const QChar marker = frame[i + 1];
      if (marker == u'P') text += input.part;
      if (marker == u'A') text += input.address;
      if (marker == u'D') text += input.data;
      i += 2;
    } else {
      text += frame[i];
    }
  }
  return text;
}

}  // namespace

std::optional<QStringList> commandGroupItems(int group) {
  if (group < 0 || group >= kCommandGroupCount) return std::nullopt;
  QStringList items;
  for (const CommandEntry& entry : kCommands)
    if (entry.group == group) items << QLatin1String(entry.item);
  return items;
}

std::optional<BuiltCommand> buildCommand(const QString& code, const CommandInput& input) {
  if (code.size() != 2) return std::nullopt;
  for (const CommandEntry& entry : kCommands) {
    const QString item = QLatin1String(entry.item);
    if (!item.startsWith(code)) continue;
    const QString frame = QLatin1String(entry.frame);
    return BuiltCommand{expandFrame(frame, input), frame.contains(QLatin1String("{A}")),
                        frame.contains(QLatin1String("{D}"))};
  }
  return std::nullopt;
}

}  // namespace rx041::launcher
