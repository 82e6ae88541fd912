// MP3 to 16-bit PCM WAV (see Codec.h). The MP3 is fed to the decoder in
// blocks, so memory stays small whatever the file's length.
#include <mpg123.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "audiolib/mpeg/Mpg123Feed.h"
#include "encoder/Codec.h"
#include "encoder/StagedOutput.h"

namespace {

struct TDecoderHandle {
  mpg123_handle* h = nullptr;
  ~TDecoderHandle() {
    if (h) mpg123_delete(h);
  }
};

void PutLE(uint8_t* p, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// The canonical header for 16-bit PCM.
void WaveHeader(uint8_t h[44], long rate, int channels, uint32_t dataSize) {
  uint32_t align = 2u * static_cast<uint32_t>(channels);
  std::memcpy(h, "RIFF", 4);
  PutLE(h + 4, dataSize + 36, 4);
  std::memcpy(h + 8, "WAVEfmt ", 8);
  PutLE(h + 16, 16, 4);
  PutLE(h + 20, 1, 2);
  PutLE(h + 22, static_cast<uint32_t>(channels), 2);
  PutLE(h + 24, static_cast<uint32_t>(rate), 4);
  PutLE(h + 28, static_cast<uint32_t>(rate) * align, 4);
  PutLE(h + 32, align, 2);
  PutLE(h + 34, 16, 2);
  std::memcpy(h + 36, "data", 4);
  PutLE(h + 40, dataSize, 4);
}

} // namespace

void DecodeMp3ToWav(const std::filesystem::path& mp3, const std::filesystem::path& wav) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(OpenPath(mp3, "rb"), &std::fclose);
  if (!in) throw TCodecError("cannot open input file " + mp3.u8string());

  TDecoderHandle dec;
  // Whatever the stream carries, the output is 16-bit signed samples.
  audiolib::Mpg123FeedSetup setup;
  setup.channels = MPG123_MONO | MPG123_STEREO;
  setup.encoding = MPG123_ENC_SIGNED_16;
  dec.h = audiolib::OpenMpg123Feed(setup);
  if (!dec.h) throw TCodecError("cannot start the MP3 decoder");

  TStagedOutput out(wav);
  uint8_t header[44] = {};
  out.Write(header, sizeof header);
  uint64_t dataSize = 0;
  long rate = 0;
  int channels = 0;

  std::vector<unsigned char> inBuf(1 << 16), outBuf(1 << 17);
  auto step = [&](const unsigned char* data, size_t size) {
    size_t done = 0;
    int ret = mpg123_decode(dec.h, data, size, outBuf.data(), outBuf.size(), &done);
    for (;;) {
      if (ret == MPG123_NEW_FORMAT) {
        long r;
        int c, enc;
        mpg123_getformat(dec.h, &r, &c, &enc);
        if (channels == 0) {
          // Keep the first format for the whole file; the decoder converts
          // later frames of another layout to it.
          rate = r;
          channels = c;
          mpg123_format_none(dec.h);
          mpg123_format(dec.h, rate, channels == 1 ? MPG123_MONO : MPG123_STEREO,
                        MPG123_ENC_SIGNED_16);
        }
      }
      if (done > 0) {
        out.Write(outBuf.data(), done);
        dataSize += done;
        if (dataSize > 0xFFFFFFFFull - 44) throw TCodecError("decoded audio exceeds 4 GiB");
      }
      if (ret == MPG123_ERR)
        throw TCodecError(std::string("cannot decode ") + mp3.u8string() + ": " +
                          mpg123_strerror(dec.h));
      if (ret == MPG123_NEED_MORE || ret == MPG123_DONE) return;
      ret = mpg123_decode(dec.h, nullptr, 0, outBuf.data(), outBuf.size(), &done);
    }
  };
  for (;;) {
    size_t n = std::fread(inBuf.data(), 1, inBuf.size(), in.get());
    if (n == 0) break;
    step(inBuf.data(), n);
  }
  if (std::ferror(in.get())) throw TCodecError("cannot read input file " + mp3.u8string());
  if (channels == 0) throw TCodecError("no MPEG audio found in " + mp3.u8string());

  WaveHeader(header, rate, channels, static_cast<uint32_t>(dataSize));
  out.WriteAt(0, header, sizeof header);
  out.Commit();
}
