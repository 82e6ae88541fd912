// Test audio made in-process with libmp3lame: plain CBR MPEG frames with no
// tag or header frame, so the bytes loop cleanly and every frame is audio.
#pragma once

#include <cstdint>
#include <vector>

namespace teststation {

// A sine of freq_hz at `amplitude` of full scale (0.5 = peak 16384 of 32768)
// on every channel. Sample rate and bitrate must be a valid MPEG pair.
// Empty on an encoder failure.
std::vector<uint8_t> MakeSineMp3(double seconds, int bitrate_kbps, int sample_rate = 44100,
                                 int channels = 2, double freq_hz = 440.0, double amplitude = 0.5);

// A short tune of soft sine notes, repeated to fill `seconds`: pleasant for
// the demonstration station. 44100 Hz stereo.
std::vector<uint8_t> MakeMelodyMp3(double seconds, int bitrate_kbps);

// Bitrate in kbit/s of the first MPEG audio frame header in `mp3`; 0 when
// there is none in the first 64 KiB.
int FirstFrameKbps(const std::vector<uint8_t>& mp3);

// Encodes interleaved 16-bit PCM; the one encoding path of both above.
std::vector<uint8_t> EncodeMp3(const std::vector<int16_t>& pcm, int sample_rate, int channels,
                               int bitrate_kbps);

} // namespace teststation
