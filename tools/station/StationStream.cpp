// StationStream: audio loop, metadata placement and the title schedule.
#include "tools/station/StationStream.h"

#include <algorithm>
#include <cmath>

#include "tools/station/TestMp3.h"

namespace teststation {
namespace {
constexpr size_t kMaxBlockText = 255 * 16;

void AppendText(std::vector<uint8_t>& out, uint8_t length_byte, const std::string& text) {
  out.push_back(length_byte);
  size_t padded = (text.size() + 15) / 16 * 16;
  out.insert(out.end(), text.begin(), text.end());
  out.insert(out.end(), padded - text.size(), 0);
}
} // namespace

StationStream::StationStream(const StationConfig& cfg, const std::vector<uint8_t>& audio,
                             Metadata metadata)
    : cfg_(cfg), audio_(audio), metadata_(cfg.metaint > 0 ? metadata : Metadata::kNone) {
  until_block_ = cfg.metaint > 0 ? static_cast<size_t>(cfg.metaint) : 0;
}

int StationStream::NominalKbps(const StationConfig& cfg) {
  if (cfg.bitrate_kbps > 0) return cfg.bitrate_kbps;
  int kbps = FirstFrameKbps(cfg.mp3);
  return kbps > 0 ? kbps : 128;
}

uint64_t StationStream::BytesPerTitle(const StationConfig& cfg) {
  if (cfg.title_seconds <= 0) return 0;
  uint64_t n =
      static_cast<uint64_t>(std::llround(cfg.title_seconds * NominalKbps(cfg) * 1000.0 / 8.0));
  return n > 0 ? n : 1;
}

uint64_t StationStream::ScheduledTitleStart(const StationConfig& cfg, uint64_t index) {
  const double bytesPerSecond = NominalKbps(cfg) * 1000.0 / 8.0;
  const size_t n = cfg.title_schedule.size();
  uint64_t cycle = 0, start = 0;
  for (size_t i = 0; i < n; ++i) {
    uint64_t len = std::max<uint64_t>(1, std::llround(cfg.title_schedule[i] * bytesPerSecond));
    if (i < index % n) start += len;
    cycle += len;
  }
  return index / n * cycle + start;
}

std::string StationStream::TitleAt(uint64_t pos) const {
  if (cfg_.titles.empty()) return std::string();
  if (!cfg_.title_schedule.empty()) {
    const size_t n = cfg_.title_schedule.size();
    uint64_t cycle = ScheduledTitleStart(cfg_, n);
    uint64_t index = pos / cycle * n;
    while (ScheduledTitleStart(cfg_, index + 1) <= pos) ++index;
    return cfg_.titles[index % n % cfg_.titles.size()];
  }
  uint64_t per = BytesPerTitle(cfg_);
  uint64_t index = per > 0 ? pos / per : blocks_;
  return cfg_.titles[index % cfg_.titles.size()];
}

std::vector<uint8_t> StationStream::TitleBlock(const std::string& title) {
  const std::string head = "StreamTitle='", tail = "';";
  size_t room = kMaxBlockText - head.size() - tail.size();
  size_t keep = std::min(title.size(), room);
  // Never cut inside a UTF-8 sequence: back off continuation bytes.
  if (keep < title.size()) {
    while (keep > 0 && (static_cast<uint8_t>(title[keep]) & 0xC0) == 0x80) --keep;
  }
  std::string text = head + title.substr(0, keep) + tail;
  std::vector<uint8_t> out;
  AppendText(out, static_cast<uint8_t>((text.size() + 15) / 16), text);
  return out;
}

void StationStream::AppendBlock(std::vector<uint8_t>& out) {
  const uint64_t k = blocks_;
  const std::string title = TitleAt(audio_pos_);
  ++blocks_;
  if (metadata_ == Metadata::kBad) {
    switch (k % 3) {
      case 0: { // right length, but no StreamTitle: bytes a parser must survive
        std::string junk;
        for (int i = 0; i < 32; ++i) junk.push_back(static_cast<char>((i * 37 + 11) % 254 + 1));
        junk[5] = '\'';
        AppendText(out, 2, junk);
        return;
      }
      case 1: { // a zero byte at a 16-byte boundary, binary text after it
        std::string text = "StreamTitle='";
        text.append(16 - text.size(), '\0');
        text += std::string("\x01\x02\x7f\xfe bin\0ary';", 14);
        AppendText(out, 2, text);
        return;
      }
      default: break;
    }
    std::vector<uint8_t> block = TitleBlock(title);
    out.insert(out.end(), block.begin(), block.end());
    return;
  }
  if (cfg_.titles.empty() || (sent_title_ && title == last_title_ && BytesPerTitle(cfg_) > 0)) {
    out.push_back(0);
    return;
  }
  std::vector<uint8_t> block = TitleBlock(title);
  out.insert(out.end(), block.begin(), block.end());
  last_title_ = title;
  sent_title_ = true;
}

void StationStream::Produce(size_t audio_bytes, std::vector<uint8_t>& out) {
  if (audio_.empty()) return;
  out.reserve(out.size() + audio_bytes + 64);
  while (audio_bytes > 0) {
    size_t n = audio_bytes;
    if (metadata_ != Metadata::kNone) n = std::min(n, until_block_);
    for (size_t left = n; left > 0;) {
      size_t at = static_cast<size_t>(audio_pos_ % audio_.size());
      size_t run = std::min(left, audio_.size() - at);
      out.insert(out.end(), audio_.begin() + at, audio_.begin() + at + run);
      audio_pos_ += run;
      left -= run;
    }
    audio_bytes -= n;
    if (metadata_ != Metadata::kNone) {
      until_block_ -= n;
      if (until_block_ == 0) {
        AppendBlock(out);
        until_block_ = static_cast<size_t>(cfg_.metaint);
      }
    }
  }
}

} // namespace teststation
