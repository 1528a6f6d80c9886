#include "serial_channel_link.h"

namespace rx041::zq3902 {

void SerialChannelLink::send(const std::string& frame) { channel_->Send(com::Variant(frame)); }

std::string SerialChannelLink::poll() {
  // Both numbers are ignored by the channel: it returns what has arrived,
  // waiting briefly for the first byte.
  com::Variant data;
  channel_->Receive(0, 0, &data);
  const std::string* text = data.stringValue();
  return text ? *text : std::string();
}

}  // namespace rx041::zq3902
