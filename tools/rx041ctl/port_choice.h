#pragma once
// The port given to the console: "COMn" through the operator's port map, or
// a device path put behind COM1 of a private port map for this process.
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace rx041::ctl {

class PortChoice {
 public:
  // nullopt when the text is neither "COMn" nor a path.
  static std::optional<PortChoice> fromText(std::string_view text);

  PortChoice(PortChoice&&) noexcept = default;
  PortChoice& operator=(PortChoice&&) noexcept = default;
  ~PortChoice();

  // The device behind the port; for a device path, makes the private port
  // map and points RX041_PORTS at it. False when that fails.
  bool install();
  int comNumber() const { return comNumber_; }
  const std::filesystem::path& device() const { return device_; }

 private:
  PortChoice(int comNumber, std::filesystem::path device) : comNumber_(comNumber), device_(std::move(device)) {}

  int comNumber_;
  std::filesystem::path device_;      // empty for "COMn"
  std::filesystem::path privateMap_;  // removed with the object
};

}  // namespace rx041::ctl
