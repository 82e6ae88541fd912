// StationSocket over POSIX sockets and Winsock2, both waiting with poll.
#include "tools/station/StationSocket.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <mutex>

namespace teststation {
namespace {

#ifdef _WIN32
using Native = SOCKET;
// Winsock must be started once per process before the first socket; it is
// left running, which is harmless and avoids ordering trouble at exit.
void EnsureStarted() {
  static std::once_flag once;
  std::call_once(once, [] {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  });
}
bool WouldBlock() {
  int e = WSAGetLastError();
  return e == WSAEWOULDBLOCK || e == WSAEINPROGRESS || e == WSAEINTR;
}
void CloseNative(Native s) { closesocket(s); }
void SetNonBlocking(Native s) {
  u_long on = 1;
  ioctlsocket(s, FIONBIO, &on);
}
// One entry for the one socket: Wine's server fails an assertion, and every
// program of the prefix hangs with it, when a wait names a socket twice (as
// select does with the socket in both the read and the error set).  An
// error or a hang-up counts as ready: the next call reports it.
bool Wait(Native s, bool write, int timeout_ms) {
  WSAPOLLFD p{s, static_cast<short>(write ? POLLWRNORM : POLLRDNORM), 0};
  return WSAPoll(&p, 1, timeout_ms) > 0;
}
constexpr int kSendFlags = 0;
#else
using Native = int;
void EnsureStarted() {}
bool WouldBlock() {
  return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINPROGRESS || errno == EINTR;
}
void CloseNative(Native s) { ::close(s); }
void SetNonBlocking(Native s) { fcntl(s, F_SETFL, fcntl(s, F_GETFL, 0) | O_NONBLOCK); }
bool Wait(Native s, bool write, int timeout_ms) {
  pollfd p{s, static_cast<short>(write ? POLLOUT : POLLIN), 0};
  return poll(&p, 1, timeout_ms) > 0;
}
// A peer that went away must give an error, not kill the process.
constexpr int kSendFlags = MSG_NOSIGNAL;
#endif

Native N(intptr_t h) { return static_cast<Native>(h); }

sockaddr_in Loopback(int port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return a;
}

intptr_t NewTcpSocket() {
  EnsureStarted();
  Native s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
#ifdef _WIN32
  if (s == INVALID_SOCKET) return -1;
#else
  if (s < 0) return -1;
#endif
  return static_cast<intptr_t>(s);
}

} // namespace

StationSocket::~StationSocket() { Close(); }

StationSocket::StationSocket(StationSocket&& other) noexcept : handle_(other.handle_) {
  other.handle_ = kInvalid;
}

StationSocket& StationSocket::operator=(StationSocket&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    other.handle_ = kInvalid;
  }
  return *this;
}

bool StationSocket::Listen(int port) {
  Close();
  handle_ = NewTcpSocket();
  if (!valid()) return false;
#ifndef _WIN32
  // A fixed port given to the command-line station can be reused at once
  // after a restart. (On Windows the same option would allow port theft.)
  int on = 1;
  setsockopt(N(handle_), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
#endif
  sockaddr_in a = Loopback(port);
  if (::bind(N(handle_), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      ::listen(N(handle_), 64) != 0) {
    Close();
    return false;
  }
  SetNonBlocking(N(handle_));
  return true;
}

bool StationSocket::Connect(int port, int timeout_ms) {
  Close();
  handle_ = NewTcpSocket();
  if (!valid()) return false;
  SetNonBlocking(N(handle_));
  sockaddr_in a = Loopback(port);
  if (::connect(N(handle_), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    if (!WouldBlock() || !WaitWritable(timeout_ms)) {
      Close();
      return false;
    }
    int err = 0;
    socklen_t len = sizeof err;
    getsockopt(N(handle_), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&err), &len);
    if (err != 0) {
      Close();
      return false;
    }
  }
  return true;
}

StationSocket StationSocket::Accept() {
  if (!valid()) return StationSocket();
  Native s = ::accept(N(handle_), nullptr, nullptr);
#ifdef _WIN32
  if (s == INVALID_SOCKET) return StationSocket();
#else
  if (s < 0) return StationSocket();
#endif
  SetNonBlocking(s);
  // Paced audio goes out in small chunks; send them now, not 40 ms later.
  int on = 1;
  setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
  return StationSocket(static_cast<intptr_t>(s));
}

bool StationSocket::WaitReadable(int timeout_ms) const {
  return valid() && Wait(N(handle_), false, timeout_ms);
}

bool StationSocket::WaitWritable(int timeout_ms) const {
  return valid() && Wait(N(handle_), true, timeout_ms);
}

StationSocket::IoResult StationSocket::Receive(void* buf, size_t size, size_t& done) {
  done = 0;
  if (!valid()) return IoResult::kError;
  int n = static_cast<int>(::recv(N(handle_), static_cast<char*>(buf), static_cast<int>(size), 0));
  if (n > 0) {
    done = static_cast<size_t>(n);
    return IoResult::kOk;
  }
  if (n == 0) return IoResult::kClosed;
  return WouldBlock() ? IoResult::kWouldBlock : IoResult::kError;
}

StationSocket::IoResult StationSocket::Send(const void* buf, size_t size, size_t& done) {
  done = 0;
  if (!valid()) return IoResult::kError;
  int n = static_cast<int>(
      ::send(N(handle_), static_cast<const char*>(buf), static_cast<int>(size), kSendFlags));
  if (n >= 0) {
    done = static_cast<size_t>(n);
    return IoResult::kOk;
  }
  return WouldBlock() ? IoResult::kWouldBlock : IoResult::kError;
}

void StationSocket::ShutdownSend() {
#ifdef _WIN32
  if (valid()) ::shutdown(N(handle_), SD_SEND);
#else
  if (valid()) ::shutdown(N(handle_), SHUT_WR);
#endif
}

void StationSocket::Close() {
  if (valid()) CloseNative(N(handle_));
  handle_ = kInvalid;
}

int StationSocket::LocalPort() const {
  if (!valid()) return 0;
  sockaddr_in a{};
  socklen_t len = sizeof a;
  if (getsockname(N(handle_), reinterpret_cast<sockaddr*>(&a), &len) != 0) return 0;
  return ntohs(a.sin_port);
}

} // namespace teststation
