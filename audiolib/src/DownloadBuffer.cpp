// Ring buffer of the download.
#include "audiolib/src/DownloadBuffer.h"

#include <algorithm>
#include <chrono>

namespace audiolib {

DownloadBuffer::DownloadBuffer(size_t capacity) : data_(capacity ? capacity : 1) {}

bool DownloadBuffer::Write(const uint8_t* data, size_t size) {
  std::unique_lock<std::mutex> lk(m_);
  while (size > 0) {
    cv_.wait(lk, [&] { return closed_ || written_ - read_ < data_.size(); });
    if (closed_) return false;
    size_t space = data_.size() - static_cast<size_t>(written_ - read_);
    size_t n = std::min(space, size);
    for (size_t i = 0; i < n;) { // at most two runs around the ring's end
      size_t at = static_cast<size_t>((written_ + i) % data_.size());
      size_t run = std::min(n - i, data_.size() - at);
      std::copy(data + i, data + i + run, data_.begin() + static_cast<long>(at));
      i += run;
    }
    written_ += n;
    data += n;
    size -= n;
    cv_.notify_all();
  }
  return true;
}

size_t DownloadBuffer::Read(uint8_t* out, size_t size) {
  std::lock_guard<std::mutex> lk(m_);
  size_t n = std::min(size, static_cast<size_t>(written_ - read_));
  for (size_t i = 0; i < n;) {
    size_t at = static_cast<size_t>((read_ + i) % data_.size());
    size_t run = std::min(n - i, data_.size() - at);
    std::copy(data_.begin() + static_cast<long>(at), data_.begin() + static_cast<long>(at + run),
              out + i);
    i += run;
  }
  read_ += n;
  if (n) cv_.notify_all();
  return n;
}

bool DownloadBuffer::WaitFor(size_t bytes, int ms) {
  std::unique_lock<std::mutex> lk(m_);
  bytes = std::min(bytes, data_.size());
  cv_.wait_for(lk, std::chrono::milliseconds(ms),
               [&] { return closed_ || ended_ || written_ - read_ >= bytes; });
  return written_ - read_ >= bytes;
}

void DownloadBuffer::MarkEnded() {
  std::lock_guard<std::mutex> lk(m_);
  ended_ = true;
  cv_.notify_all();
}

void DownloadBuffer::Close() {
  std::lock_guard<std::mutex> lk(m_);
  closed_ = true;
  cv_.notify_all();
}

uint64_t DownloadBuffer::Downloaded() const {
  std::lock_guard<std::mutex> lk(m_);
  return written_;
}

uint64_t DownloadBuffer::Consumed() const {
  std::lock_guard<std::mutex> lk(m_);
  return read_;
}

size_t DownloadBuffer::Buffered() const {
  std::lock_guard<std::mutex> lk(m_);
  return static_cast<size_t>(written_ - read_);
}

bool DownloadBuffer::Ended() const {
  std::lock_guard<std::mutex> lk(m_);
  return ended_;
}

} // namespace audiolib
