// The HTTP/ICY client. One request per address; a redirect or a playlist
// entry is a new request on a new connection.
#include "audiolib/src/HttpClient.h"

#include <cstring>

#include "audiolib/src/Chunked.h"
#include "audiolib/src/Playlist.h"
#include "audiolib/src/Url.h"

namespace audiolib {
namespace {

// A connection whose body comes chunked: reads give the body's own bytes,
// so the metadata stripper, the recordings and the playlist reader never
// see a chunk-size line.
class DechunkedConnection : public Connection {
 public:
  explicit DechunkedConnection(std::unique_ptr<Connection> inner) : inner_(std::move(inner)) {}

  // Decodes body bytes that arrived together with the head.
  void DecodeInPlace(std::vector<uint8_t>& bytes) {
    bytes.resize(decoder_.Decode(bytes.data(), bytes.size(), bytes.data()));
  }

  long Recv(void* buf, size_t size, int timeoutMs, const std::atomic<bool>& abort,
            Err& err) override {
    uint8_t* p = static_cast<uint8_t*>(buf);
    // A read may hold nothing but framing: read on until body bytes come,
    // all of it within the one time-out, so a server dripping framing holds
    // the caller no longer than one dripping anything else.
    const Deadline deadline(timeoutMs);
    for (;;) {
      if (decoder_.Ended()) return 0;
      if (decoder_.Failed()) {
        err = Err::Protocol;
        return -1;
      }
      const int wait = deadline.Wait(timeoutMs);
      if (!wait) {
        err = Err::Timeout;
        return -1;
      }
      long n = inner_->Recv(buf, size, wait, abort, err);
      if (n <= 0) return n;
      size_t k = decoder_.Decode(p, static_cast<size_t>(n), p);
      if (k > 0) return static_cast<long>(k);
    }
  }

  bool SendAll(const void* data, size_t size, int timeoutMs,
               const std::atomic<bool>& abort) override {
    return inner_->SendAll(data, size, timeoutMs, abort);
  }

 private:
  std::unique_ptr<Connection> inner_;
  ChunkedDecoder decoder_;
};

Err Request(Network& net, const Url& url, const OpenOptions& opt, const Deadline& dl,
            const std::atomic<bool>& abort, OpenedStream& out) {
  Err err = Err::Ok;
  if (!dl.Wait(opt.timeoutMs)) return Err::Timeout;
  out.conn = net.Connect(url.host, url.port, dl.Wait(opt.timeoutMs), abort, err);
  if (!out.conn) return err == Err::Ok ? Err::NoNet : err;
  std::string host = url.host + (url.port == 80 ? "" : ":" + std::to_string(url.port));
  std::string req = "GET " + url.path + " HTTP/1.0\r\nHost: " + host +
                    "\r\nUser-Agent: Korvalis/1.0\r\nAccept: */*\r\nIcy-MetaData: 1\r\n"
                    "Connection: close\r\n\r\n";
  if (!out.conn->SendAll(req.data(), req.size(), dl.Wait(opt.timeoutMs), abort)) return Err::NoNet;

  std::vector<char> head;
  char buf[4096];
  size_t end = 0;
  while (end == 0) {
    int wait = dl.Wait(opt.timeoutMs);
    if (!wait) return Err::Timeout;
    long n = out.conn->Recv(buf, sizeof buf, wait, abort, err);
    if (n < 0) return err;
    if (n == 0) return head.empty() ? Err::NoNet : Err::Protocol;
    size_t scanFrom = head.size() > 3 ? head.size() - 3 : 0;
    head.insert(head.end(), buf, buf + n);
    // Fail early on garbage rather than waiting for a blank line that never comes.
    if (head.size() >= 4 && std::memcmp(head.data(), "ICY ", 4) != 0 &&
        std::memcmp(head.data(), "HTTP", 4) != 0)
      return Err::Protocol;
    size_t e = FindHeadEnd(head.data() + scanFrom, head.size() - scanFrom);
    if (e) end = scanFrom + e;
    if (!end && head.size() > kMaxHeadBytes) return Err::Protocol;
  }
  if (end > kMaxHeadBytes) return Err::Protocol;
  if (!ParseResponseHead(head.data(), end, out.head)) return Err::Protocol;
  out.body.assign(head.begin() + static_cast<long>(end), head.end());
  if (IsChunkedCoding(out.head.Field("transfer-encoding"))) {
    auto chunked = std::make_unique<DechunkedConnection>(std::move(out.conn));
    chunked->DecodeInPlace(out.body);
    out.conn = std::move(chunked);
  }
  return Err::Ok;
}

// Reads the rest of a (small) body, e.g. a playlist.
Err ReadBody(OpenedStream& s, int timeoutMs, const Deadline& dl, const std::atomic<bool>& abort,
             std::string& body) {
  body.assign(s.body.begin(), s.body.end());
  char buf[4096];
  while (body.size() < kMaxPlaylistBytes) {
    Err err = Err::Ok;
    int wait = dl.Wait(timeoutMs);
    if (!wait) return Err::Timeout;
    long n = s.conn->Recv(buf, sizeof buf, wait, abort, err);
    if (n == 0) break;
    if (n < 0) return err;
    body.append(buf, static_cast<size_t>(n));
  }
  return Err::Ok;
}

Err Open(Network& net, const std::string& address, const OpenOptions& opt, const Deadline& dl,
         const std::atomic<bool>& abort, bool allowPlaylist, OpenedStream& out) {
  std::string current = address;
  for (int hop = 0;; ++hop) {
    Url url;
    Err err = ParseUrl(current, url);
    if (err != Err::Ok) return err;
    out = OpenedStream();
    err = Request(net, url, opt, dl, abort, out);
    if (err != Err::Ok) return err;
    int st = out.head.status;
    if (st == 301 || st == 302 || st == 303 || st == 307 || st == 308) {
      std::string loc = out.head.Field("location");
      if (loc.empty()) return Err::Http;
      if (hop >= kMaxRedirects) return Err::Redirect;
      current = ResolveLocation(url, loc);
      continue;
    }
    if (st < 200 || st > 299) return Err::Http;
    out.url = current;
    std::string start(out.body.begin(), out.body.end());
    if (!LooksLikePlaylist(out.head.Field("content-type"), url.path, start)) {
      long mi = out.head.IntField("icy-metaint");
      out.metaint = mi > 0 ? static_cast<size_t>(mi) : 0;
      return Err::Ok;
    }
    if (!allowPlaylist) return opt.playlists ? Err::Playlist : Err::FileForm;
    std::string body;
    err = ReadBody(out, opt.timeoutMs, dl, abort, body);
    if (err != Err::Ok) return err;
    std::vector<std::string> entries = ParsePlaylist(body);
    Err last = Err::Playlist;
    for (const std::string& entry : entries) {
      // A playlist entry is a stream, never another playlist: no loops.
      last = Open(net, entry, opt, dl, abort, false, out);
      if (last == Err::Ok || abort.load()) return last;
    }
    return entries.empty() ? Err::Playlist : last;
  }
}

} // namespace

Err OpenStreamUrl(Network& net, const std::string& url, const OpenOptions& opt,
                  const Deadline& deadline, const std::atomic<bool>& abort, OpenedStream& out) {
  return Open(net, url, opt, deadline, abort, opt.playlists, out);
}

} // namespace audiolib
