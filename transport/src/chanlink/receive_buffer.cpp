#include "receive_buffer.h"

#include <algorithm>

namespace rx041::chanlink {

bool ReceiveBuffer::append(std::string_view chunk) {
  std::lock_guard lock(mutex_);
  if (count_ + chunk.size() >= kCapacity) return false;
  std::copy(chunk.begin(), chunk.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(count_));
  count_ += chunk.size();
  return true;
}

std::string ReceiveBuffer::takeAll() {
  std::lock_guard lock(mutex_);
  std::string taken(bytes_.data(), count_);
  count_ = 0;
  return taken;
}

void ReceiveBuffer::clear() {
  std::lock_guard lock(mutex_);
  count_ = 0;
}

}  // namespace rx041::chanlink
