// StationClient: the tests' side of the wire.
#include "tools/station/tests/StationClient.h"

#include <algorithm>
#include <cctype>
#include <chrono>

namespace teststation {
namespace {
using Clock = std::chrono::steady_clock;

int LeftMs(Clock::time_point deadline) {
  auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::max<long long>(0, left));
}
} // namespace

bool StationClient::Connect(int port) {
  pending_.clear();
  closed_ = false;
  return socket_.Connect(port, 2000);
}

bool StationClient::SendRaw(const std::string& bytes) {
  auto deadline = Clock::now() + std::chrono::seconds(5);
  return socket_.SendAll(bytes.data(), bytes.size(), 50, [&] { return Clock::now() < deadline; });
}

bool StationClient::Open(int port, const std::string& path, bool metadata,
                         const std::string& extra) {
  if (!Connect(port)) return false;
  std::string req = "GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1:" + std::to_string(port) + "\r\n";
  if (metadata) req += "Icy-MetaData: 1\r\n";
  return SendRaw(req + extra + "\r\n");
}

bool StationClient::Fill(int timeout_ms) {
  if (closed_ || !socket_.WaitReadable(timeout_ms)) return false;
  uint8_t buf[16384];
  size_t got = 0;
  auto r = socket_.Receive(buf, sizeof buf, got);
  if (r == StationSocket::IoResult::kOk) {
    pending_.insert(pending_.end(), buf, buf + got);
    return true;
  }
  if (r == StationSocket::IoResult::kWouldBlock) return true;
  closed_ = true;
  return false;
}

bool StationClient::ReadHead(std::string& head, int timeout_ms) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  static const char kEnd[] = "\r\n\r\n";
  for (;;) {
    auto it = std::search(pending_.begin(), pending_.end(), kEnd, kEnd + 4);
    if (it != pending_.end()) {
      head.assign(pending_.begin(), it);
      pending_.erase(pending_.begin(), it + 4);
      return true;
    }
    if (LeftMs(deadline) == 0 || (!Fill(LeftMs(deadline)) && closed_)) return false;
  }
}

bool StationClient::ReadBody(size_t n, std::vector<uint8_t>& out, int timeout_ms) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (pending_.size() < n) {
    if (LeftMs(deadline) == 0 || (!Fill(LeftMs(deadline)) && closed_)) return false;
  }
  out.assign(pending_.begin(), pending_.begin() + n);
  pending_.erase(pending_.begin(), pending_.begin() + n);
  return true;
}

bool StationClient::ReadToClose(std::vector<uint8_t>& out, int timeout_ms) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!closed_ && LeftMs(deadline) > 0) Fill(LeftMs(deadline));
  out = pending_;
  pending_.clear();
  return closed_;
}

bool StationClient::QuietFor(int ms) {
  size_t before = pending_.size();
  auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  while (!closed_ && LeftMs(deadline) > 0) Fill(LeftMs(deadline));
  return !closed_ && pending_.size() == before;
}

std::string StationClient::Header(const std::string& head, const std::string& name) {
  auto lower = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  };
  const std::string want = lower(name) + ":";
  size_t pos = 0;
  while (pos < head.size()) {
    size_t eol = head.find("\r\n", pos);
    std::string line = head.substr(pos, eol == std::string::npos ? std::string::npos : eol - pos);
    if (lower(line.substr(0, want.size())) == want) {
      size_t b = line.find_first_not_of(' ', want.size());
      return b == std::string::npos ? std::string() : line.substr(b);
    }
    if (eol == std::string::npos) break;
    pos = eol + 2;
  }
  return std::string();
}

bool SplitIcyStream(const std::vector<uint8_t>& raw, size_t metaint, std::vector<uint8_t>& audio,
                    std::vector<std::string>& texts) {
  size_t i = 0;
  while (i < raw.size()) {
    size_t run = std::min(metaint, raw.size() - i);
    audio.insert(audio.end(), raw.begin() + i, raw.begin() + i + run);
    i += run;
    if (run < metaint || i == raw.size()) return true;
    size_t len = raw[i] * 16u;
    if (i + 1 + len > raw.size()) return false;
    std::string text(raw.begin() + i + 1, raw.begin() + i + 1 + len);
    text.erase(std::find(text.begin(), text.end(), '\0'), text.end());
    texts.push_back(text);
    i += 1 + len;
  }
  return true;
}

std::string TitleOf(const std::string& text) {
  const std::string head = "StreamTitle='";
  if (text.compare(0, head.size(), head) != 0) return std::string();
  size_t end = text.rfind("';");
  if (end == std::string::npos || end < head.size()) return std::string();
  return text.substr(head.size(), end - head.size());
}

} // namespace teststation
