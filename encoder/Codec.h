// MP3 to WAV and WAV to MP3 for the encoder stand-in.
//
// Both write their result under a temporary name beside the final one and
// rename it into place only when it is complete, so a failure never leaves a
// partial file under the final name (and never touches one already there).
// Failures raise TCodecError with a message for standard error.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

class TCodecError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Decodes every MPEG audio frame of `mp3` into a 16-bit PCM WAV with the
// canonical 44-byte header, at the stream's own rate and channel count.
void DecodeMp3ToWav(const std::filesystem::path& mp3, const std::filesystem::path& wav);

// Encodes a PCM WAV (8, 16, 24 or 32 bits, mono or stereo) into a constant-
// bitrate MP3 in simple stereo; mono input is encoded on both channels.
void EncodeWavToMp3(const std::filesystem::path& wav, const std::filesystem::path& mp3, int kbps);
