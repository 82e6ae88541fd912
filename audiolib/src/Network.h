// The socket layer behind a small interface: POSIX sockets natively,
// Winsock on Windows. Every wait is bounded by a time-out and can be cut
// short by an abort flag, so freeing a stream never waits on the network.
#pragma once
#include <atomic>
#include <cstddef>
#include <memory>
#include <string>

#include "audiolib/src/Errors.h"

namespace audiolib {

class Connection {
 public:
  virtual ~Connection() = default;
  // > 0: bytes received; 0: the server closed the connection; -1: error,
  // time-out (err = Timeout) or abort.
  virtual long Recv(void* buf, size_t size, int timeoutMs, const std::atomic<bool>& abort,
                    Err& err) = 0;
  virtual bool SendAll(const void* data, size_t size, int timeoutMs,
                       const std::atomic<bool>& abort) = 0;
};

class Network {
 public:
  virtual ~Network() = default;
  // NoNet when the host is unknown or refuses, Timeout when it does not answer.
  virtual std::unique_ptr<Connection> Connect(const std::string& host, int port, int timeoutMs,
                                              const std::atomic<bool>& abort, Err& err) = 0;
};

// The system's sockets (POSIX or Winsock).
std::shared_ptr<Network> SystemNetwork();

} // namespace audiolib
