// The download buffer between the network thread and the playback thread:
// a ring of a fixed number of bytes (five seconds of the stream). The writer
// waits while it is full; the reader never waits here. Positions count
// bytes since the start of the stream.
#pragma once
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace audiolib {

class DownloadBuffer {
 public:
  explicit DownloadBuffer(size_t capacity);

  size_t Capacity() const { return data_.size(); }
  // Blocks while the buffer is full; false when closed meanwhile.
  bool Write(const uint8_t* data, size_t size);
  // Takes up to `size` bytes; returns how many (0 when empty).
  size_t Read(uint8_t* out, size_t size);
  // Waits until at least `bytes` are buffered, the download ended or the
  // buffer was closed, at most `ms`. true when the bytes are there.
  bool WaitFor(size_t bytes, int ms);

  void MarkEnded(); // no more data will come
  void Close();     // stop: wakes every waiter; writes fail from now on

  uint64_t Downloaded() const;
  uint64_t Consumed() const;
  size_t Buffered() const;
  bool Ended() const;

 private:
  mutable std::mutex m_;
  std::condition_variable cv_;
  std::vector<uint8_t> data_;
  uint64_t written_ = 0;
  uint64_t read_ = 0;
  bool ended_ = false;
  bool closed_ = false;
};

} // namespace audiolib
