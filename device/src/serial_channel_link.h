#pragma once
// The command layer's channel on top of Chanlink's SerialChannel, reached only
// through its interface.
#include <memory>

#include "reply_channel.h"
#include "rx041/transport/channel_interfaces.h"

namespace rx041::zq3902 {

class SerialChannelLink final : public ReplyChannel {
 public:
  explicit SerialChannelLink(std::shared_ptr<chanlink::ISerialChannel> channel);

  void send(const std::string& frame) override;
  std::string poll() override;
  std::string drain() override;
  bool lineDead() const override;

 private:
  std::shared_ptr<chanlink::ISerialChannel> channel_;
  std::shared_ptr<chanlink::ISerialLine> line_;        // null for a channel that does not tell
  std::shared_ptr<chanlink::IReceivedText> received_;  // null for a channel that cannot hand out without waiting
};

}  // namespace rx041::zq3902
