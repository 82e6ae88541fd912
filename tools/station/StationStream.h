// The bytes of one station connection after its headers: the audio in a loop
// with ICY metadata blocks every metaint audio bytes, and the title schedule.
// No sockets or clocks here, so the stream's layout is tested on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/station/StationConfig.h"

namespace teststation {

class StationStream {
 public:
  enum class Metadata {
    kNone,   // plain audio
    kTitles, // a block every metaint bytes with the scheduled title
    kBad,    // odd blocks (see TestStation.h, /badmeta)
  };

  // `audio` is looped and must outlive the stream; with metaint <= 0 no
  // block is ever inserted.
  StationStream(const StationConfig& cfg, const std::vector<uint8_t>& audio, Metadata metadata);

  // Appends the next `audio_bytes` audio bytes to `out`, with the metadata
  // blocks that fall inside them (a block due right after the last byte is
  // appended too, so a block is never split from its place).
  void Produce(size_t audio_bytes, std::vector<uint8_t>& out);
  uint64_t audio_sent() const { return audio_pos_; }

  // Title scheduled at audio byte `pos`; empty when there are no titles.
  std::string TitleAt(uint64_t pos) const;
  // A metadata block carrying `title`: length byte, "StreamTitle='..';",
  // zero padding. A title too long for 255*16 bytes is cut at a UTF-8
  // character boundary.
  static std::vector<uint8_t> TitleBlock(const std::string& title);
  // The bitrate that times titles and pacing: the announced one, else the
  // first MPEG frame's, else 128 kbit/s.
  static int NominalKbps(const StationConfig& cfg);
  // Audio bytes per title at the nominal bitrate; 0 = next title at every block.
  static uint64_t BytesPerTitle(const StationConfig& cfg);
  // With a scripted schedule: the audio byte at which title `index` (counted
  // on through the repeats) begins.
  static uint64_t ScheduledTitleStart(const StationConfig& cfg, uint64_t index);

 private:
  void AppendBlock(std::vector<uint8_t>& out);

  const StationConfig& cfg_;
  const std::vector<uint8_t>& audio_;
  const Metadata metadata_;
  uint64_t audio_pos_ = 0;
  size_t until_block_ = 0;
  uint64_t blocks_ = 0;
  std::string last_title_;
  bool sent_title_ = false;
};

} // namespace teststation
