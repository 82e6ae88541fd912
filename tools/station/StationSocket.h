// A small TCP socket for the test radio station and its test clients: one
// class over POSIX sockets and Winsock2, always non-blocking, with waits that
// time out so that no caller can hang on a slow or silent peer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace teststation {

class StationSocket {
 public:
  enum class IoResult { kOk, kWouldBlock, kClosed, kError };

  StationSocket() = default;
  ~StationSocket();
  StationSocket(StationSocket&& other) noexcept;
  StationSocket& operator=(StationSocket&& other) noexcept;
  StationSocket(const StationSocket&) = delete;
  StationSocket& operator=(const StationSocket&) = delete;

  // Listens on 127.0.0.1:port (0 = ephemeral). False on failure.
  bool Listen(int port);
  // Connects to 127.0.0.1:port, waiting at most timeout_ms.
  bool Connect(int port, int timeout_ms);
  // Accepts one pending connection; an invalid socket when none is waiting.
  StationSocket Accept();

  // Wait until the socket can be read / written; false on time-out or error.
  bool WaitReadable(int timeout_ms) const;
  bool WaitWritable(int timeout_ms) const;

  // One non-blocking read or write; `done` receives the count moved.
  IoResult Receive(void* buf, size_t size, size_t& done);
  IoResult Send(const void* buf, size_t size, size_t& done);
  // Sends everything, waiting for room in steps of at most step_ms and giving
  // up when keep_going() turns false or the peer goes away.
  template <typename KeepGoing>
  bool SendAll(const void* buf, size_t size, int step_ms, KeepGoing keep_going);

  // Stops further sending (the peer sees the end of the stream).
  void ShutdownSend();
  void Close();
  bool valid() const { return handle_ != kInvalid; }
  // The local port after Listen().
  int LocalPort() const;

 private:
  static constexpr intptr_t kInvalid = -1;
  explicit StationSocket(intptr_t handle) : handle_(handle) {}
  intptr_t handle_ = kInvalid;
};

template <typename KeepGoing>
bool StationSocket::SendAll(const void* buf, size_t size, int step_ms, KeepGoing keep_going) {
  const uint8_t* p = static_cast<const uint8_t*>(buf);
  while (size > 0) {
    if (!keep_going()) return false;
    size_t done = 0;
    switch (Send(p, size, done)) {
      case IoResult::kOk:
        p += done;
        size -= done;
        break;
      case IoResult::kWouldBlock: WaitWritable(step_ms); break;
      default: return false;
    }
  }
  return true;
}

} // namespace teststation
