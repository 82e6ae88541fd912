// System sockets. POSIX and Winsock differ only in names and error codes,
// so one implementation serves both with a few aliases. Waits are cut into
// short slices so that an abort flag is noticed within ~50 ms.
#include <chrono>
#include <cstring>

#include "audiolib/src/BoundedCall.h"
#include "audiolib/src/Network.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using SocketFd = SOCKET;
using PollFd = WSAPOLLFD;
static int PollSockets(PollFd* fds, unsigned n, int ms) { return WSAPoll(fds, n, ms); }
static void CloseSocket(SocketFd s) { closesocket(s); }
static bool InProgress() { return WSAGetLastError() == WSAEWOULDBLOCK; }
static void SetNonBlocking(SocketFd s) {
  u_long on = 1;
  ioctlsocket(s, FIONBIO, &on);
}
static const SocketFd kNoSocket = INVALID_SOCKET;
#define SEND_FLAGS 0
#else
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
using SocketFd = int;
using PollFd = pollfd;
static int PollSockets(PollFd* fds, unsigned n, int ms) { return poll(fds, n, ms); }
static void CloseSocket(SocketFd s) { close(s); }
static bool InProgress() { return errno == EINPROGRESS; }
static void SetNonBlocking(SocketFd s) { fcntl(s, F_SETFL, fcntl(s, F_GETFL, 0) | O_NONBLOCK); }
static const SocketFd kNoSocket = -1;
#define SEND_FLAGS MSG_NOSIGNAL
#endif

namespace audiolib {
namespace {

constexpr int kSliceMs = 50;

// Waits for `events` on s; 1 ready, 0 time-out, -1 error or abort.
int WaitFor(SocketFd s, short events, int timeoutMs, const std::atomic<bool>& abort) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (abort.load()) return -1;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now())
                    .count();
    if (left <= 0) return 0;
    PollFd p{};
    p.fd = s;
    p.events = events;
    int r = PollSockets(&p, 1, static_cast<int>(left < kSliceMs ? left : kSliceMs));
    if (r > 0) return (p.revents & (POLLERR | POLLNVAL)) && !(p.revents & POLLIN) ? -1 : 1;
    if (r < 0) return -1;
  }
}

class SystemConnection : public Connection {
 public:
  explicit SystemConnection(SocketFd s) : s_(s) {}
  ~SystemConnection() override { CloseSocket(s_); }

  long Recv(void* buf, size_t size, int timeoutMs, const std::atomic<bool>& abort,
            Err& err) override {
    int w = WaitFor(s_, POLLIN, timeoutMs, abort);
    if (w <= 0) {
      err = w == 0 ? Err::Timeout : Err::NoNet;
      return -1;
    }
    long n = static_cast<long>(recv(s_, static_cast<char*>(buf), static_cast<int>(size), 0));
    if (n < 0) err = Err::NoNet;
    return n;
  }

  bool SendAll(const void* data, size_t size, int timeoutMs,
               const std::atomic<bool>& abort) override {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
      if (WaitFor(s_, POLLOUT, timeoutMs, abort) <= 0) return false;
      long n = static_cast<long>(send(s_, p, static_cast<int>(size), SEND_FLAGS));
      if (n <= 0) return false;
      p += n;
      size -= static_cast<size_t>(n);
    }
    return true;
  }

 private:
  SocketFd s_;
};

class SystemNetworkImpl : public Network {
 public:
  SystemNetworkImpl() {
#ifdef _WIN32
    WSADATA wsa;
    ok_ = WSAStartup(MAKEWORD(2, 2), &wsa) == 0;
#endif
  }
  ~SystemNetworkImpl() override {
#ifdef _WIN32
    if (ok_) WSACleanup();
#endif
  }

  std::unique_ptr<Connection> Connect(const std::string& host, int port, int timeoutMs,
                                      const std::atomic<bool>& abort, Err& err) override {
    err = Err::NoNet;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    // The system's lookup has no time-out of its own (an unreachable name
    // server blocks it for tens of seconds), so it is bounded here.
    struct Lookup {
      addrinfo* list = nullptr;
      int rc = -1;
      ~Lookup() {
        if (list) freeaddrinfo(list);
      }
    };
    auto lookup = std::make_shared<Lookup>();
    const BoundedResult br = RunBounded(
        [lookup, host, port, hints] {
          lookup->rc =
              getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &lookup->list);
        },
        timeoutMs, abort);
    if (br != BoundedResult::Done) {
      if (br == BoundedResult::TimedOut) err = Err::Timeout;
      return nullptr;
    }
    if (lookup->rc != 0 || !lookup->list) return nullptr;
    addrinfo* list = lookup->list;
    std::unique_ptr<Connection> result;
    for (addrinfo* a = list; a && !result; a = a->ai_next) {
      SocketFd s = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
      if (s == kNoSocket) continue;
      SetNonBlocking(s);
      int r = connect(s, a->ai_addr, static_cast<int>(a->ai_addrlen));
      if (r != 0 && InProgress()) {
        int w = WaitFor(s, POLLOUT, timeoutMs, abort);
        int soErr = 0;
        socklen_t len = sizeof soErr;
        if (w == 1) getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&soErr), &len);
        r = (w == 1 && soErr == 0) ? 0 : -1;
        if (w == 0) err = Err::Timeout;
      }
      if (r == 0) {
        int one = 1;
        setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<char*>(&one), sizeof one);
        result.reset(new SystemConnection(s));
        err = Err::Ok;
      } else {
        CloseSocket(s);
      }
    }
    return result;
  }

 private:
#ifdef _WIN32
  bool ok_ = false;
#endif
};

} // namespace

std::shared_ptr<Network> SystemNetwork() {
  static std::shared_ptr<Network> net = std::make_shared<SystemNetworkImpl>();
  return net;
}

} // namespace audiolib
