#include "reply_reader.h"

#include <algorithm>

#include "hex_text.h"

namespace rx041::zq3902 {

bool ReplyWindow::holds(std::size_t length) const {
  return bytes_.size() == length && bytes_.find('\0') == std::string::npos;
}

std::string_view ReplyWindow::text() const {
  std::string_view view(bytes_);
  return view.substr(0, view.find('\0'));
}

bool ReplyWindow::contains(std::string_view word, std::size_t from) const {
  const std::string_view view = text();
  return from <= view.size() && view.find(word, from) != std::string_view::npos;
}

std::size_t ReplyWindow::find(std::string_view word) const { return text().find(word); }

char ReplyWindow::at(std::size_t offset) const { return offset < bytes_.size() ? bytes_[offset] : '\0'; }

void ReplyReader::pollAppend() {
  const std::string received = channel_.poll();
  const std::size_t room = kLineCapacity - line_.size();
  line_.append(received, 0, std::min(room, received.size()));
}

std::size_t ReplyReader::firstLineFeed() const { return line_.find('\n'); }

void ReplyReader::dropThrough(std::size_t lineFeed) { line_.erase(0, lineFeed + 1); }

std::string ReplyReader::unconsumed() const { return line_.substr(std::min(consumed_, line_.size())); }

void ReplyReader::clearState() {
  line_.clear();
  consumed_ = 0;
  gaveUp_ = false;
}

bool ReplyReader::ended(std::int64_t start, std::int64_t limitMs) {
  if (channel_.lineDead()) return true;
  gaveUp_ = clock_() - start > limitMs;
  return gaveUp_;
}

ReplyWindow ReplyReader::readReplyLine(std::int64_t limitMs, std::size_t length) {
  const std::int64_t start = clock_();
  clearState();
  for (;;) {
    pollAppend();
    // Only the first line is looked at per poll; a too-short one is dropped.
    if (const std::size_t lineFeed = firstLineFeed(); lineFeed != std::string::npos) {
      if (lineFeed >= length) {
        consumed_ = lineFeed + 1;
        return ReplyWindow(line_.substr(lineFeed - length, length));
      }
      dropThrough(lineFeed);
    }
    if (ended(start, limitMs)) return ReplyWindow();
  }
}

std::int32_t ReplyReader::readAdcCode(std::int64_t limitMs) {
  const std::int64_t start = clock_();
  clearState();
  for (;;) {
    pollAppend();
    if (const std::size_t lineFeed = firstLineFeed(); lineFeed != std::string::npos && lineFeed >= 8) {
      // c(i): the character i places before the line feed.
      const auto c = [&](std::size_t i) { return line_[lineFeed - i]; };
      if (c(1) == 'D' && (c(2) == '0' || c(2) == '2')) {
        consumed_ = lineFeed + 1;
        return hexDigitValue(c(8)) << 12 | hexDigitValue(c(7)) << 8 | hexDigitValue(c(5)) << 4 | hexDigitValue(c(4));
      }
    }
    if (ended(start, limitMs)) return kAdcTimeout;
  }
}

}  // namespace rx041::zq3902
