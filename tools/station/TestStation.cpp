// TestStation: the listener, one thread per client, and the paths it serves.
#include "tools/station/TestStation.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <system_error>

#include "tools/station/StationRequest.h"
#include "tools/station/StationStream.h"

namespace teststation {
namespace {
using Clock = std::chrono::steady_clock;

constexpr int kStepMs = 50;            // longest wait before the stop flag is seen again
constexpr size_t kMaxHead = 16 * 1024; // longest request head accepted
constexpr auto kHeadTimeout = std::chrono::seconds(10);
constexpr size_t kEndlessHeaderLimit = 64u << 20;

// Bytes that a non-MPEG stream serves: pseudo-random, without 0xFF so that
// no frame sync can appear by chance.
const std::vector<uint8_t>& NoiseAudio() {
  static const std::vector<uint8_t> noise = [] {
    std::vector<uint8_t> v(64 * 1024);
    uint32_t x = 2463534242u;
    for (auto& b : v) {
      x ^= x << 13;
      x ^= x >> 17;
      x ^= x << 5;
      b = static_cast<uint8_t>(x % 255);
    }
    return v;
  }();
  return noise;
}

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}
} // namespace

struct TestStation::Client {
  StationSocket socket;
  std::thread thread;
  std::atomic<bool> done{false};
};

TestStation::TestStation(StationConfig cfg) : cfg_(std::move(cfg)) {}

TestStation::~TestStation() { Stop(); }

int TestStation::Start(int port) {
  if (running_ || cfg_.mp3.empty() || port < 0 || port > 65535) return 0;
  if (!listener_.Listen(port)) return 0;
  port_ = listener_.LocalPort();
  running_ = true;
  acceptor_ = std::thread([this] { AcceptLoop(); });
  return port_;
}

void TestStation::Stop() {
  running_ = false;
  if (acceptor_.joinable()) acceptor_.join();
  listener_.Close();
  ReapFinished(true);
}

std::string TestStation::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> TestStation::requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void TestStation::AcceptLoop() {
  while (running_) {
    if (listener_.WaitReadable(kStepMs)) {
      for (StationSocket s = listener_.Accept(); s.valid(); s = listener_.Accept()) {
        ++connections_;
        auto client = std::make_unique<Client>();
        client->socket = std::move(s);
        Client* raw = client.get();
        std::lock_guard<std::mutex> lock(mutex_);
        try {
          raw->thread = std::thread([this, raw] {
            Serve(raw);
            raw->socket.Close();
            raw->done = true;
          });
        } catch (const std::system_error&) {
          continue; // out of threads: this client is closed, the station goes on
        }
        clients_.push_back(std::move(client));
      }
    }
    ReapFinished(false);
  }
}

void TestStation::ReapFinished(bool all) {
  std::vector<std::unique_ptr<Client>> finished;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto keep =
        std::stable_partition(clients_.begin(), clients_.end(),
                              [all](const std::unique_ptr<Client>& c) { return !all && !c->done; });
    std::move(keep, clients_.end(), std::back_inserter(finished));
    clients_.erase(keep, clients_.end());
  }
  // Joined outside the lock: a finishing client may still record its request.
  for (auto& c : finished) {
    if (c->thread.joinable()) c->thread.join();
  }
}

namespace {

// One client's conversation: everything that needs its socket and the stop flag.
class Conversation {
 public:
  Conversation(StationSocket& socket, const std::atomic<bool>& running)
      : socket_(socket), running_(running) {}

  bool Running() const { return running_; }

  bool Send(const std::string& s) { return Send(s.data(), s.size()); }
  bool Send(const void* p, size_t n) {
    return socket_.SendAll(p, n, kStepMs, [this] { return running_.load(); });
  }

  // Reads the request head; false when the client left, stalled or sent too much.
  bool ReadHead(std::string& head, bool& too_long) {
    std::string data;
    char buf[4096];
    const auto deadline = Clock::now() + kHeadTimeout;
    too_long = false;
    while (running_ && Clock::now() < deadline) {
      if (!socket_.WaitReadable(kStepMs)) continue;
      size_t got = 0;
      auto r = socket_.Receive(buf, sizeof buf, got);
      if (r == StationSocket::IoResult::kWouldBlock) continue;
      if (r != StationSocket::IoResult::kOk) return false;
      data.append(buf, got);
      size_t end = 0;
      if (size_t sep = FindHeadEnd(data, end)) {
        head = data.substr(0, end + sep);
        return true;
      }
      if (data.size() > kMaxHead) break;
    }
    head = data.substr(0, 1024);
    too_long = running_;
    return false;
  }

  // Keeps the connection open, reading and dropping whatever comes, until
  // the client closes, the station stops, or `limit` passes.
  void Hold(Clock::duration limit = Clock::duration::max()) {
    const auto start = Clock::now();
    char buf[4096];
    while (running_ && Clock::now() - start < limit) {
      if (!socket_.WaitReadable(kStepMs)) continue;
      size_t got = 0;
      auto r = socket_.Receive(buf, sizeof buf, got);
      if (r == StationSocket::IoResult::kClosed || r == StationSocket::IoResult::kError) return;
    }
  }

  // Ends the answer so that the client reads all of it before the close.
  void Finish() {
    socket_.ShutdownSend();
    Hold(std::chrono::seconds(2));
  }

 private:
  StationSocket& socket_;
  const std::atomic<bool>& running_;
};

// A whole answer; for HEAD (`with_body` false) the same head without the body.
std::string SimpleAnswer(const std::string& status, const std::string& type,
                         const std::string& body, bool with_body = true,
                         const std::string& extra_headers = "") {
  return "HTTP/1.0 " + status + "\r\nContent-Type: " + type +
         "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" + extra_headers +
         "Connection: close\r\n\r\n" + (with_body ? body : std::string());
}

// The sizes /chunked cuts its body into, in turn: tiny, odd and large ones,
// so a client meets size lines at every place of its reads.
constexpr size_t kChunkSizes[] = {1, 7, 100, 1000, 2, 4096, 333, 16};

// `data` in the chunked transfer coding (without the final zero chunk);
// every third chunk carries an extension, as some proxies send.
std::string ChunkedPieces(const std::vector<uint8_t>& data, size_t& turn) {
  std::string coded;
  for (size_t at = 0; at < data.size();) {
    size_t n = std::min(kChunkSizes[turn % std::size(kChunkSizes)], data.size() - at);
    std::string size;
    for (size_t v = n; v > 0; v /= 16) size.insert(size.begin(), "0123456789abcdef"[v % 16]);
    coded += size + (turn % 3 == 2 ? ";piece=1\r\n" : "\r\n");
    coded.append(reinterpret_cast<const char*>(data.data() + at), n);
    coded += "\r\n";
    at += n;
    ++turn;
  }
  return coded;
}

} // namespace

void TestStation::Serve(Client* client) {
  Conversation talk(client->socket, running_);
  std::string head;
  bool too_long = false;
  StationRequest req;
  bool ok = talk.ReadHead(head, too_long);
  if (ok) ok = ParseStationRequest(head, req);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(ok ? req.head : head);
  }
  if (!ok) {
    if (too_long || !head.empty()) {
      talk.Send(SimpleAnswer("400 Bad Request", "text/plain", "bad request\n"));
      talk.Finish();
    }
    return;
  }

  // The station speaks GET; HEAD gets the same head without a body.
  if (req.method != "GET" && req.method != "HEAD") {
    talk.Send(SimpleAnswer("405 Method Not Allowed", "text/plain", "method not allowed\n", true,
                           "Allow: GET, HEAD\r\n"));
    talk.Finish();
    return;
  }
  if (req.path.empty()) {
    talk.Send(SimpleAnswer("400 Bad Request", "text/plain", "bad request target\n"));
    talk.Finish();
    return;
  }
  const bool body = req.method == "GET";
  const std::string& path = req.path;
  enum class Fault { kNone, kDrop, kStall } fault = Fault::kNone;
  bool chunked = false;
  auto metadata =
      req.wants_metadata ? StationStream::Metadata::kTitles : StationStream::Metadata::kNone;
  const std::vector<uint8_t>* audio = &cfg_.mp3;

  if (path == "/stream" || path == "/") {
  } else if (path == "/chunked") {
    chunked = true;
  } else if (path == "/drop") {
    fault = Fault::kDrop;
  } else if (path == "/drop-once") {
    if (drop_once_++ == 0) fault = Fault::kDrop;
  } else if (path == "/stall") {
    fault = Fault::kStall;
  } else if (path == "/badmeta") {
    if (req.wants_metadata) metadata = StationStream::Metadata::kBad;
  } else if (path == "/notmpeg") {
    audio = &NoiseAudio();
  } else if (path == "/redirect" || StartsWith(path, "/redirect/")) {
    long n = 1;
    if (path.size() > 10) {
      char* end = nullptr;
      n = std::strtol(path.c_str() + 10, &end, 10);
      if (*end != '\0' || n < 0) n = -1;
    }
    if (n >= 0) {
      std::string next = n <= 1 ? Url("/stream") : Url("/redirect/" + std::to_string(n - 1));
      talk.Send("HTTP/1.0 302 Found\r\nLocation: " + next +
                "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    } else {
      talk.Send(SimpleAnswer("404 Not Found", "text/plain", "no such redirect\n", body));
    }
    talk.Finish();
    return;
  } else if (path == "/list.pls") {
    talk.Send(SimpleAnswer("200 OK", "audio/x-scpls",
                           "[playlist]\r\nNumberOfEntries=1\r\nFile1=" + Url("/stream") +
                               "\r\nTitle1=" + cfg_.name + "\r\nLength1=-1\r\nVersion=2\r\n",
                           body));
    talk.Finish();
    return;
  } else if (path == "/list.m3u") {
    talk.Send(
        SimpleAnswer("200 OK", "audio/x-mpegurl",
                     "#EXTM3U\r\n#EXTINF:-1," + cfg_.name + "\r\n" + Url("/stream") + "\r\n",
                     body));
    talk.Finish();
    return;
  } else if (path == "/garbage") {
    static const char kGarbage[] =
        "\x16\x03\x01\x00 <this is no radio station> \x01\xfe\x80\x00\r\n\r\n";
    talk.Send(kGarbage, sizeof kGarbage - 1);
    talk.Finish();
    return;
  } else if (path == "/silent") {
    talk.Hold();
    return;
  } else if (path == "/endless-header") {
    std::string line(8192, 'A');
    talk.Send("ICY 200 OK\r\nicy-name: ");
    for (size_t sent = 0; sent < kEndlessHeaderLimit && talk.Send(line); sent += line.size()) {}
    return;
  } else {
    talk.Send(SimpleAnswer("404 Not Found", "text/html",
                           "<html><body>404 Not Found</body></html>\n", body));
    talk.Finish();
    return;
  }

  // The station itself (possibly with a fault).
  const bool with_meta = metadata != StationStream::Metadata::kNone && cfg_.metaint > 0;
  std::string headers = chunked                ? "HTTP/1.1 200 OK\r\n"
                        : cfg_.icy_status_line ? "ICY 200 OK\r\n"
                                               : "HTTP/1.0 200 OK\r\n";
  headers += "Content-Type: audio/mpeg\r\n";
  if (chunked) headers += "Transfer-Encoding: chunked\r\n";
  headers += "icy-name: " + cfg_.name + "\r\n";
  headers += "icy-genre: " + cfg_.genre + "\r\n";
  headers += "icy-url: " + Url("/") + "\r\n";
  headers += "icy-pub: 0\r\n";
  if (cfg_.bitrate_kbps > 0) headers += "icy-br: " + std::to_string(cfg_.bitrate_kbps) + "\r\n";
  if (with_meta) headers += "icy-metaint: " + std::to_string(cfg_.metaint) + "\r\n";
  headers += "\r\n";
  if (!talk.Send(headers)) return;
  if (!body) {
    talk.Finish();
    return;
  }

  StationStream stream(cfg_, *audio, with_meta ? metadata : StationStream::Metadata::kNone);
  const double bytes_per_s = StationStream::NominalKbps(cfg_) * 1000.0 / 8.0 * cfg_.pace;
  // 20 ms of audio per chunk when paced; big chunks when not.
  const size_t chunk =
      cfg_.pace > 0 ? std::max<size_t>(1, static_cast<size_t>(bytes_per_s * 0.02)) : 16384;
  const size_t limit = fault == Fault::kDrop    ? cfg_.drop_after_bytes
                       : fault == Fault::kStall ? cfg_.stall_after_bytes
                                                : SIZE_MAX;
  const auto start = Clock::now();
  std::vector<uint8_t> out;
  size_t chunk_turn = 0;
  while (running_ && stream.audio_sent() < limit) {
    if (cfg_.pace > 0) {
      auto due = start + std::chrono::duration_cast<Clock::duration>(
                             std::chrono::duration<double>(stream.audio_sent() / bytes_per_s));
      auto now = Clock::now();
      if (now < due) {
        std::this_thread::sleep_for(
            std::min<Clock::duration>(due - now, std::chrono::milliseconds(kStepMs)));
        continue;
      }
    }
    out.clear();
    stream.Produce(std::min<uint64_t>(chunk, limit - stream.audio_sent()), out);
    if (chunked ? !talk.Send(ChunkedPieces(out, chunk_turn)) : !talk.Send(out.data(), out.size()))
      return;
  }
  if (fault == Fault::kStall) talk.Hold();
  // A drop is abrupt on purpose: no goodbye, just the close.
}

} // namespace teststation
