#include "serial_channel_link.h"

namespace rx041::zq3902 {

SerialChannelLink::SerialChannelLink(std::shared_ptr<chanlink::ISerialChannel> channel)
    : channel_(std::move(channel)),
      line_(std::dynamic_pointer_cast<chanlink::ISerialLine>(channel_)),
      received_(std::dynamic_pointer_cast<chanlink::IReceivedText>(channel_)) {}

void SerialChannelLink::send(const std::string& frame) { channel_->Send(com::Variant(frame)); }

std::string SerialChannelLink::poll() {
  // Both numbers are ignored by the channel: it returns what has arrived,
  // waiting briefly for the first byte.
  com::Variant data;
  channel_->Receive(0, 0, &data);
  const std::string* text = data.stringValue();
  return text ? *text : std::string();
}

std::string SerialChannelLink::drain() {
  if (received_) return received_->takeReceived();
  // Receive would wait for the first byte; clearing does not, but cannot say what it dropped.
  channel_->ClearReceiveBuf();
  return {};
}

bool SerialChannelLink::lineDead() const {
  if (!line_) return false;
  const chanlink::LineState state = line_->lineState();
  return state != chanlink::LineState::Open && state != chanlink::LineState::Closed;
}

}  // namespace rx041::zq3902
