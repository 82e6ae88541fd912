// Test MP3s from generated PCM through libmp3lame.
#include "tools/station/TestMp3.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>

#include "audiolib/mpeg/MpegHeader.h"

namespace teststation {
namespace {
constexpr double kPi = 3.14159265358979323846;

int16_t ToSample(double v) {
  return static_cast<int16_t>(std::lround(std::max(-1.0, std::min(1.0, v)) * 32767.0));
}
} // namespace

std::vector<uint8_t> EncodeMp3(const std::vector<int16_t>& pcm, int sample_rate, int channels,
                               int bitrate_kbps) {
  std::vector<uint8_t> out;
  if (channels < 1 || channels > 2 || sample_rate <= 0 || bitrate_kbps <= 0) return out;
  lame_global_flags* gf = lame_init();
  if (!gf) return out;
  lame_set_num_channels(gf, channels);
  lame_set_in_samplerate(gf, sample_rate);
  lame_set_out_samplerate(gf, sample_rate); // no resampling: the rate asked is the rate served
  lame_set_brate(gf, bitrate_kbps);
  lame_set_VBR(gf, vbr_off);
  lame_set_mode(gf, channels == 1 ? MONO : JOINT_STEREO);
  lame_set_quality(gf, 5);
  // No info frame: every frame is audio, so the bytes can be looped.
  lame_set_bWriteVbrTag(gf, 0);
  if (lame_init_params(gf) < 0 || lame_get_brate(gf) != bitrate_kbps) {
    lame_close(gf);
    return out;
  }
  const int frames = static_cast<int>(pcm.size() / channels);
  const int step = 8192;
  std::vector<unsigned char> buf(static_cast<size_t>(1.25 * step + 7200));
  std::vector<int16_t> left(step), right(step);
  bool ok = true;
  for (int at = 0; at < frames && ok; at += step) {
    int n = std::min(step, frames - at);
    for (int i = 0; i < n; ++i) {
      left[i] = pcm[static_cast<size_t>(at + i) * channels];
      right[i] = channels == 2 ? pcm[static_cast<size_t>(at + i) * 2 + 1] : left[i];
    }
    int got = lame_encode_buffer(gf, left.data(), right.data(), n, buf.data(),
                                 static_cast<int>(buf.size()));
    ok = got >= 0;
    if (ok) out.insert(out.end(), buf.begin(), buf.begin() + got);
  }
  int got = ok ? lame_encode_flush_nogap(gf, buf.data(), static_cast<int>(buf.size())) : -1;
  if (got >= 0) out.insert(out.end(), buf.begin(), buf.begin() + got);
  lame_close(gf);
  if (!ok || got < 0) out.clear();
  return out;
}

int FirstFrameKbps(const std::vector<uint8_t>& mp3) {
  const size_t end = std::min<size_t>(mp3.size(), 65536);
  audiolib::FrameHeader h;
  for (size_t i = 0; i + 3 < end; ++i)
    if (audiolib::ParseFrameHeader(&mp3[i], end - i, h)) return h.bitrate_kbps;
  return 0;
}

std::vector<uint8_t> MakeSineMp3(double seconds, int bitrate_kbps, int sample_rate, int channels,
                                 double freq_hz, double amplitude) {
  if (seconds <= 0 || channels < 1 || channels > 2) return {};
  const size_t frames = static_cast<size_t>(seconds * sample_rate);
  std::vector<int16_t> pcm(frames * channels);
  for (size_t i = 0; i < frames; ++i) {
    int16_t s =
        ToSample(amplitude * std::sin(2 * kPi * freq_hz * static_cast<double>(i) / sample_rate));
    for (int c = 0; c < channels; ++c) pcm[i * channels + c] = s;
  }
  return EncodeMp3(pcm, sample_rate, channels, bitrate_kbps);
}

std::vector<uint8_t> MakeMelodyMp3(double seconds, int bitrate_kbps) {
  // A rising and falling C-major phrase with a rest; each note has a soft
  // attack and decay, a fifth above it quietly in the right channel.
  static const double kNotes[] = {523.25, 659.25, 783.99, 1046.5, 783.99, 659.25, 587.33, 0.0};
  const int rate = 44100;
  const double note_s = 0.3;
  const size_t frames = static_cast<size_t>(std::max(0.0, seconds) * rate);
  const size_t per_note = static_cast<size_t>(note_s * rate);
  const size_t count = sizeof kNotes / sizeof kNotes[0];
  std::vector<int16_t> pcm(frames * 2);
  for (size_t i = 0; i < frames; ++i) {
    double f = kNotes[(i / per_note) % count];
    double t = static_cast<double>(i % per_note) / rate;
    double env = std::min(1.0, t / 0.02) * std::exp(-t * 5.0);
    double base = std::sin(2 * kPi * f * t);
    double fifth = std::sin(2 * kPi * f * 1.5 * t);
    pcm[i * 2] = ToSample(0.4 * env * base);
    pcm[i * 2 + 1] = ToSample(0.4 * env * (0.8 * base + 0.2 * fifth));
  }
  return EncodeMp3(pcm, rate, 2, bitrate_kbps);
}

} // namespace teststation
