// PCM WAV to constant-bitrate MP3 in simple stereo (see Codec.h). The WAV is
// read in blocks; its chunks are walked properly, so any chunk before or
// after the samples is skipped.
#include <lame/lame.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "encoder/Codec.h"
#include "encoder/StagedOutput.h"

namespace {

using TFilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

uint32_t LE(const uint8_t* p, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= uint32_t(p[i]) << (8 * i);
  return v;
}

struct TWaveFormat {
  int channels = 0;
  int rate = 0;
  int bits = 0;
  uint64_t dataBytes = 0; // from the data chunk's start
};

// Skips `bytes` forward. The offset is 64-bit everywhere: a 32-bit long
// would turn a chunk size above 2 GiB into a step backwards onto the same
// header, for ever.
bool SkipForward(std::FILE* f, uint64_t bytes) {
#ifdef _WIN32
  return _fseeki64(f, static_cast<long long>(bytes), SEEK_CUR) == 0;
#else
  return fseeko(f, static_cast<off_t>(bytes), SEEK_CUR) == 0;
#endif
}

// Leaves `f` at the first sample byte.
TWaveFormat ReadWaveHeader(std::FILE* f, const std::string& name) {
  uint8_t riff[12];
  if (std::fread(riff, 1, 12, f) != 12 || std::memcmp(riff, "RIFF", 4) != 0 ||
      std::memcmp(riff + 8, "WAVE", 4) != 0)
    throw TCodecError(name + " is not a WAV file");
  TWaveFormat fmt;
  bool haveFormat = false;
  for (;;) {
    uint8_t head[8];
    if (std::fread(head, 1, 8, f) != 8) throw TCodecError(name + " has no audio data");
    uint32_t size = LE(head + 4, 4);
    if (std::memcmp(head, "fmt ", 4) == 0) {
      if (size < 16 || size > 1024) throw TCodecError(name + " has a broken format chunk");
      std::vector<uint8_t> body(size + (size & 1));
      if (std::fread(body.data(), 1, body.size(), f) != body.size())
        throw TCodecError(name + " is truncated");
      uint32_t code = LE(&body[0], 2);
      if (code == 0xFFFE && size >= 26) code = LE(&body[24], 2); // extensible: its sub-format
      fmt.channels = static_cast<int>(LE(&body[2], 2));
      fmt.rate = static_cast<int>(LE(&body[4], 4));
      fmt.bits = static_cast<int>(LE(&body[14], 2));
      if (code != 1) throw TCodecError(name + " is not PCM audio");
      haveFormat = true;
    } else if (std::memcmp(head, "data", 4) == 0) {
      if (!haveFormat) throw TCodecError(name + " has its data before its format");
      fmt.dataBytes = size;
      return fmt;
    } else if (!SkipForward(f, uint64_t(size) + (size & 1))) {
      throw TCodecError(name + " is truncated");
    }
  }
}

struct TLameHandle {
  lame_global_flags* g = nullptr;
  ~TLameHandle() {
    if (g) lame_close(g);
  }
};

// One sample as a full-scale 32-bit value.
int32_t Scaled(const uint8_t* p, int bytes) {
  switch (bytes) {
    case 1: return (int32_t(p[0]) - 128) * (1 << 24);
    case 2: return static_cast<int32_t>(LE(p, 2) << 16);
    case 3: return static_cast<int32_t>(LE(p, 3) << 8);
    default: return static_cast<int32_t>(LE(p, 4));
  }
}

} // namespace

void EncodeWavToMp3(const std::filesystem::path& wav, const std::filesystem::path& mp3, int kbps) {
  TFilePtr in(OpenPath(wav, "rb"), &std::fclose);
  if (!in) throw TCodecError("cannot open input file " + wav.u8string());
  TWaveFormat fmt = ReadWaveHeader(in.get(), wav.u8string());
  if (fmt.channels < 1 || fmt.channels > 2)
    throw TCodecError("only mono or stereo WAV files can be encoded");
  if (fmt.bits < 1 || fmt.bits > 32)
    throw TCodecError("unsupported sample size in " + wav.u8string());
  if (fmt.rate < 8000 || fmt.rate > 192000)
    throw TCodecError("unsupported sample rate in " + wav.u8string());

  TLameHandle lame;
  lame.g = lame_init();
  if (!lame.g) throw TCodecError("cannot start the MP3 encoder");
  lame_set_in_samplerate(lame.g, fmt.rate);
  lame_set_num_channels(lame.g, 2); // mono input goes to both channels
  lame_set_mode(lame.g, STEREO);
  lame_set_VBR(lame.g, vbr_off);
  lame_set_brate(lame.g, kbps);
  lame_set_bWriteVbrTag(lame.g, 1);
  lame_set_write_id3tag_automatic(lame.g, 0);
  if (lame_init_params(lame.g) < 0) throw TCodecError("the encoder refuses these settings");

  TStagedOutput out(mp3);
  const int bytes = (fmt.bits + 7) / 8;
  const size_t frameBytes = size_t(bytes) * fmt.channels;
  const int block = 8192;
  std::vector<uint8_t> raw(frameBytes * block);
  std::vector<int> left(block), right(block);
  std::vector<unsigned char> coded(block * 5 / 4 + 7200);
  uint64_t remaining = fmt.dataBytes;
  for (;;) {
    // A data size that runs past the end (a file still being written, or a
    // header never patched) simply means "to the end of the file".
    size_t want = raw.size();
    if (remaining < want) want = static_cast<size_t>(remaining) / frameBytes * frameBytes;
    size_t got = want ? std::fread(raw.data(), 1, want, in.get()) : 0;
    int frames = static_cast<int>(got / frameBytes);
    if (frames == 0) break;
    remaining -= got;
    for (int i = 0; i < frames; ++i) {
      const uint8_t* p = &raw[size_t(i) * frameBytes];
      left[i] = Scaled(p, bytes);
      right[i] = fmt.channels == 2 ? Scaled(p + bytes, bytes) : left[i];
    }
    int n = lame_encode_buffer_int(lame.g, left.data(), right.data(), frames, coded.data(),
                                   static_cast<int>(coded.size()));
    if (n < 0) throw TCodecError("the encoder failed");
    out.Write(coded.data(), static_cast<size_t>(n));
  }
  if (std::ferror(in.get())) throw TCodecError("cannot read input file " + wav.u8string());
  int n = lame_encode_flush(lame.g, coded.data(), static_cast<int>(coded.size()));
  if (n < 0) throw TCodecError("the encoder failed");
  out.Write(coded.data(), static_cast<size_t>(n));
  // The first frame carries the stream's length and encoder delay, so that
  // players can trim the padding; it is known only now.
  size_t tagSize = lame_get_lametag_frame(lame.g, coded.data(), coded.size());
  if (tagSize > 0 && tagSize <= coded.size()) out.WriteAt(0, coded.data(), tagSize);
  out.Commit();
}
