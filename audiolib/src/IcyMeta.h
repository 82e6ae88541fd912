// In-band ICY metadata: after every `metaint` audio bytes the server sends
// one length byte (x16) and that many bytes of text, zero-padded, e.g.
// "StreamTitle='Artist - Song';StreamUrl='';". MetaStripper separates the
// two so that the audio bytes come out as a clean MPEG stream. A block is
// always 16 x its length byte; a zero byte inside it ends only the text.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace audiolib {

// The text of one metadata block: its bytes up to the first zero byte, as
// received (no character set conversion).
std::string MetaBlockText(const uint8_t* block, size_t size);

// key='value' pairs of a metadata text in order. A value runs to the quote
// that is followed by ';' or the end, so quotes inside titles survive.
std::vector<std::pair<std::string, std::string>> ParseMetaFields(const std::string& text);

// Convenience: the StreamTitle value, or empty.
std::string MetaStreamTitle(const std::string& text);

class MetaStripper {
 public:
  using AudioSink = std::function<void(const uint8_t* data, size_t size)>;
  // Called for every non-empty block with its text (an empty block means
  // "no change" and is not reported).
  using MetaSink = std::function<void(const std::string& text)>;

  // metaint 0: the stream carries no metadata; everything is audio.
  explicit MetaStripper(size_t metaint) : metaint_(metaint) {}

  void Feed(const uint8_t* data, size_t size, const AudioSink& audio, const MetaSink& meta);

 private:
  enum class State { Audio, Length, Text };
  size_t metaint_;
  State state_ = State::Audio;
  size_t left_ = 0; // bytes left in the current audio run or text block
  bool started_ = false;
  std::vector<uint8_t> block_;
};

} // namespace audiolib
