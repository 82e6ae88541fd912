// Metadata stripping and parsing.
#include "audiolib/src/IcyMeta.h"

#include <algorithm>
#include <cstring>

namespace audiolib {

std::string MetaBlockText(const uint8_t* block, size_t size) {
  const void* zero = size ? std::memchr(block, 0, size) : nullptr;
  size_t n = zero ? static_cast<const uint8_t*>(zero) - block : size;
  return std::string(reinterpret_cast<const char*>(block), n);
}

std::vector<std::pair<std::string, std::string>> ParseMetaFields(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> out;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t eq = text.find("='", pos);
    if (eq == std::string::npos) break;
    std::string key = text.substr(pos, eq - pos);
    size_t start = eq + 2;
    size_t end = text.find("';", start);
    if (end == std::string::npos) {
      // The last value may end with a quote and nothing after it.
      end = text.size();
      if (end > start && text[end - 1] == '\'') --end;
      out.emplace_back(key, text.substr(start, end - start));
      break;
    }
    out.emplace_back(key, text.substr(start, end - start));
    pos = end + 2;
  }
  return out;
}

std::string MetaStreamTitle(const std::string& text) {
  for (auto& kv : ParseMetaFields(text))
    if (kv.first == "StreamTitle") return kv.second;
  return std::string();
}

void MetaStripper::Feed(const uint8_t* data, size_t size, const AudioSink& audio,
                        const MetaSink& meta) {
  if (metaint_ == 0) {
    if (size) audio(data, size);
    return;
  }
  if (!started_) {
    started_ = true;
    left_ = metaint_;
  }
  while (size > 0) {
    switch (state_) {
      case State::Audio: {
        size_t n = std::min(left_, size);
        audio(data, n);
        data += n;
        size -= n;
        left_ -= n;
        if (left_ == 0) state_ = State::Length;
        break;
      }
      case State::Length:
        left_ = static_cast<size_t>(*data) * 16;
        ++data;
        --size;
        block_.clear();
        if (left_ == 0) {
          state_ = State::Audio;
          left_ = metaint_;
        } else {
          state_ = State::Text;
        }
        break;
      case State::Text: {
        // The block is always 16 x its length byte, whatever it holds: a
        // zero byte ends the title text, never the block. Taking the rest
        // for audio would put metadata into the audio and the recordings
        // and lose as many audio bytes at the next block.
        size_t n = std::min(left_, size);
        block_.insert(block_.end(), data, data + n);
        data += n;
        size -= n;
        left_ -= n;
        if (left_ == 0) {
          meta(MetaBlockText(block_.data(), block_.size()));
          state_ = State::Audio;
          left_ = metaint_;
        }
        break;
      }
    }
  }
}

} // namespace audiolib
