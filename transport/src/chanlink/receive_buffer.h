#pragma once
// The bytes a channel has received and not yet handed out. The reader thread
// appends, the caller's thread takes; one lock guards both. The count never
// reaches the capacity: a chunk that would make it do so is dropped whole.
#include <array>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>

namespace rx041::chanlink {

class ReceiveBuffer {
 public:
  static constexpr std::size_t kCapacity = 512;

  // False when the chunk was dropped.
  bool append(std::string_view chunk);
  // Everything buffered, leaving the buffer empty.
  std::string takeAll();
  void clear();

 private:
  std::mutex mutex_;
  std::array<char, kCapacity> bytes_{};
  std::size_t count_ = 0;
};

}  // namespace rx041::chanlink
