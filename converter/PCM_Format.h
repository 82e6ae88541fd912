// TPCMFile: the companion's WAV reader and writer.
//
// Reading takes the format chunk and skips at most one chunk before the data;
// the samples run from the data chunk to the end of the file. Writing gives
// the canonical 44-byte header. Nothing in a header is validated: a malformed
// one yields whatever values its bytes give.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "converter/AudioFormat.h"
#include "converter/FileUtils.h"

class TPCMFile : public TAudioFile {
 public:
  static constexpr uint32_t HeaderSize = 44;

  // Opens an existing WAV (for reading and writing) and parses its header.
  explicit TPCMFile(const std::string& fileName);
  // Creates (or truncates) `fileName` and writes `audio` into it as a WAV.
  // The caller closes the result, which writes the last window.
  static std::unique_ptr<TPCMFile> CreateFrom(const std::string& fileName, TAudioData& audio);

  // Copies the sample bytes into `audio` and gives it this file's format.
  void ReadData(TAudioData& audio);

  std::string ChunkID;
  uint32_t ChunkSize = 0;
  std::string Format;
  std::string Subchunk1ID;
  uint32_t Subchunk1Size = 0;
  uint16_t FormatCode = 0;
  uint16_t NumChannels = 0;
  uint32_t SampleRate = 0;
  uint32_t ByteRate = 0;
  uint16_t BlockAlign = 0;
  uint16_t BitsPerSample = 0;
  std::string ExtraChunkID;
  uint32_t ExtraChunkStart = 0;
  uint32_t ExtraChunkSize = 0;
  std::string Subchunk2ID;
  uint32_t DataStart = 0;
  uint32_t DataSize = 0;

 private:
  TPCMFile(const std::string& fileName, TFileCreation how) : TAudioFile(fileName, how) {}
  uint32_t ReadNumber(uint32_t bytes);
  void WriteNumber(uint32_t value, uint32_t bytes);
};

// Copies the rest of `from` (from its Position to its end) to `to`'s Position.
void CopyRest(TFile& from, TFile& to);
