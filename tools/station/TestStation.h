// The test radio station: serves an MP3 in a loop as an ICY/HTTP station on
// 127.0.0.1, with in-band titles, pacing and scripted faults, so that the
// audio library, the player and the benchmarks have a real server to talk to.
//
// Requests: GET, or HEAD for the same head without a body; other methods get
// 405. The target is a path ("/stream?x") or an absolute address
// ("http://host/stream", as proxies send); anything else gets 400.
// Paths (one station serves all of them; a query string is ignored):
//  /stream, /           the station; metadata when the request has
//                       "Icy-MetaData: 1" and metaint > 0
//  /chunked             the station as an HTTP/1.1 proxy passes it on:
//                       "Transfer-Encoding: chunked", chunks of many sizes
//  /drop                the station, closed after drop_after_bytes audio bytes
//  /drop-once           the same for its first request; later ones (a
//                       listener reconnecting) get the whole station
//  /stall               the station, silent after stall_after_bytes audio
//                       bytes while the socket stays open
//  /badmeta             odd metadata blocks: block 1 garbage bytes instead
//                       of StreamTitle, block 2 a text cut by a zero byte at
//                       a 16-byte boundary with binary bytes after it (all
//                       of it within the announced length), block 3 a
//                       normal title; then it repeats
//  /404 (and unknown)   HTTP 404
//  /redirect[/N]        302 to /redirect/N-1, /redirect/1 (= /redirect) to
//                       /stream: N redirects in a row
//  /list.pls, /list.m3u playlists whose one entry is Url("/stream")
//  /garbage             non-HTTP bytes, then close
//  /silent              accepts, reads, never answers
//  /endless-header      a status line, then one header line that never ends
//                       (closed after 64 MiB)
//  /notmpeg             ICY 200 and pseudo-random bytes as audio
// Metadata block: one length byte L, then 16*L bytes "StreamTitle='<t>';"
// padded with zeros; L = 0 when the title has not changed since the last
// block. A request head over 16 KiB, or none within 10 s, is answered 400.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tools/station/StationConfig.h"
#include "tools/station/StationSocket.h"
#include "tools/station/TestMp3.h"

namespace teststation {

class TestStation {
 public:
  explicit TestStation(StationConfig cfg);
  ~TestStation(); // Stop()
  TestStation(const TestStation&) = delete;
  TestStation& operator=(const TestStation&) = delete;

  // Listens on 127.0.0.1 (port 0 = ephemeral) and serves on threads of its
  // own; returns the port, 0 on failure or when already started.
  int Start(int port = 0);
  // Closes the listener and every client and joins all threads; returns
  // within ~100 ms whatever the clients do. Idempotent.
  void Stop();

  int port() const { return port_; }
  std::string Url(const std::string& path = "/stream") const;
  int connections() const { return connections_; }
  // One entry per request: its request line and headers as received,
  // "\r\n"-separated, without the closing blank line.
  std::vector<std::string> requests() const;

 private:
  struct Client;
  void AcceptLoop();
  void Serve(Client* client);
  void ReapFinished(bool all);

  const StationConfig cfg_;
  StationSocket listener_;
  std::thread acceptor_;
  std::atomic<bool> running_{false};
  int port_ = 0;
  std::atomic<int> connections_{0};
  std::atomic<int> drop_once_{0}; // requests of /drop-once so far
  mutable std::mutex mutex_;      // guards clients_ and requests_
  std::vector<std::unique_ptr<Client>> clients_;
  std::vector<std::string> requests_;
};

} // namespace teststation
