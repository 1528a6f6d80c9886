#include "rx041/records/register_verification.h"

namespace rx041::records {
namespace {

constexpr std::int32_t kFailedRead = 511;

}  // namespace

std::map<std::int32_t, std::int32_t> writtenRegisters(const rx041::zq3902::WrittenImage& image) {
  std::map<std::int32_t, std::int32_t> registers;
  for (std::int32_t address = 0; address < rx041::zq3902::WrittenImage::kRegisterCount; ++address)
    if (const auto value = image.at(address)) registers[address] = *value;
  return registers;
}

Verification verifyRegisters(const std::map<std::int32_t, std::int32_t>& written, const RegisterReader& read) {
  Verification verification;
  if (written.empty()) {
    verification.reason = "nothing written since power-on";
    return verification;
  }
  verification.result = VerificationResult::Failed;
  for (const auto& [address, value] : written) {
    const auto chipHolds = read(address);
    if (!chipHolds) {
      verification.reason = "the read-back could not be made";
      return verification;
    }
    ++verification.reads;
    if (*chipHolds != value) {
      verification.mismatch = RegisterMismatch{address, value, *chipHolds == kFailedRead ? std::nullopt : chipHolds};
      return verification;
    }
  }
  verification.result = VerificationResult::Passed;
  return verification;
}

std::string verificationMessage(std::int16_t part, const RegisterMismatch& mismatch) {
  return "Part#" + std::to_string(part + 1) + ": verification failed at register " + hexByte(mismatch.address) +
         ": wrote " + hexByte(mismatch.wrote) + ", read " + (mismatch.read ? hexByte(*mismatch.read) : "failed");
}

}  // namespace rx041::records
