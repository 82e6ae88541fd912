// Little-endian byte helpers for building WAV files in the tests of the
// companion, the encoder stand-in and the player: no dependencies, so every
// test program can use them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline void PutLE(std::vector<uint8_t>& v, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) v.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline void PutText(std::vector<uint8_t>& v, const std::string& text) {
  v.insert(v.end(), text.begin(), text.end());
}

// A 16-byte "fmt " chunk of integer PCM.
inline void PutPcmFormat(std::vector<uint8_t>& v, uint16_t channels, uint32_t rate, uint16_t bits) {
  uint16_t align = static_cast<uint16_t>((bits + 7) / 8 * channels);
  PutText(v, "fmt ");
  PutLE(v, 16, 4);
  PutLE(v, 1, 2);
  PutLE(v, channels, 2);
  PutLE(v, rate, 4);
  PutLE(v, rate * align, 4);
  PutLE(v, align, 2);
  PutLE(v, bits, 2);
}

// A WAV file: the RIFF header, the format chunk, `chunksBefore` as given (whole
// chunks, such as the LIST chunk some programs write), then `data` as the data
// chunk. Without other chunks it is the canonical 44-byte header.
inline std::vector<uint8_t> MakeWav(uint16_t channels, uint32_t rate, uint16_t bits,
                                    const std::vector<uint8_t>& data,
                                    const std::vector<uint8_t>& chunksBefore = {}) {
  std::vector<uint8_t> v;
  PutText(v, "RIFF");
  PutLE(v, static_cast<uint32_t>(36 + chunksBefore.size() + data.size()), 4);
  PutText(v, "WAVE");
  PutPcmFormat(v, channels, rate, bits);
  v.insert(v.end(), chunksBefore.begin(), chunksBefore.end());
  PutText(v, "data");
  PutLE(v, static_cast<uint32_t>(data.size()), 4);
  v.insert(v.end(), data.begin(), data.end());
  return v;
}
