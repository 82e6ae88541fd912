// WAV reading and writing (see PCM_Format.h).
#include "converter/PCM_Format.h"

#include <algorithm>
#include <vector>

namespace {
constexpr uint32_t kCopyBlock = 0x10000;
}

void CopyRest(TFile& from, TFile& to) {
  std::vector<uint8_t> block(kCopyBlock);
  while (from.Position() < from.Size()) {
    uint32_t n = std::min(from.Size() - from.Position(), kCopyBlock);
    n = from.Read(block.data(), n);
    to.Write(block.data(), n);
  }
}

uint32_t TPCMFile::ReadNumber(uint32_t bytes) {
  // A read clamped at the end leaves the higher bytes as they were: zero.
  uint8_t b[4] = {0, 0, 0, 0};
  Read(b, bytes);
  return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

void TPCMFile::WriteNumber(uint32_t value, uint32_t bytes) {
  uint8_t b[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
  Write(b, bytes);
}

TPCMFile::TPCMFile(const std::string& fileName) : TAudioFile(fileName) {
  ChunkID = ReadString(4);
  ChunkSize = ReadNumber(4);
  Format = ReadString(4);
  Subchunk1ID = ReadString(4);
  Subchunk1Size = ReadNumber(4);
  FormatCode = static_cast<uint16_t>(ReadNumber(2));
  NumChannels = static_cast<uint16_t>(ReadNumber(2));
  SampleRate = ReadNumber(4);
  ByteRate = ReadNumber(4);
  BlockAlign = static_cast<uint16_t>(ReadNumber(2));
  BitsPerSample = static_cast<uint16_t>(ReadNumber(2));
  // The byte after the format chunk, whatever extension bytes it carries.
  SetPosition(Subchunk1Size + 20);
  Subchunk2ID = ReadString(4);
  if (Subchunk2ID != "data") {
    ExtraChunkID = Subchunk2ID;
    ExtraChunkSize = ReadNumber(4);
    ExtraChunkStart = Position();
    SetPosition(Position() + ExtraChunkSize);
    Subchunk2ID = ReadString(4);
  }
  DataSize = ReadNumber(4);
  DataStart = Position();
}

void TPCMFile::ReadData(TAudioData& audio) {
  audio.Data().Clear();
  SetPosition(DataStart);
  CopyRest(*this, audio.Data());
  audio.Channels = NumChannels;
  audio.SampleRate = static_cast<int32_t>(SampleRate);
  audio.BitsPerSample = BitsPerSample;
  audio.UpdateBlockAlign();
}

std::unique_ptr<TPCMFile> TPCMFile::CreateFrom(const std::string& fileName, TAudioData& audio) {
  std::unique_ptr<TPCMFile> f(new TPCMFile(fileName, TFileCreation::Truncate));
  uint32_t dataSize = audio.Data().Size();
  uint16_t bytes =
      static_cast<uint16_t>(audio.BitsPerSample / 8 + (audio.BitsPerSample % 8 ? 1 : 0));
  f->ChunkID = "RIFF";
  f->ChunkSize = dataSize + 36;
  f->Format = "WAVE";
  f->Subchunk1ID = "fmt ";
  f->Subchunk1Size = 16;
  f->FormatCode = 1;
  f->NumChannels = audio.Channels;
  f->SampleRate = static_cast<uint32_t>(audio.SampleRate);
  f->BlockAlign = static_cast<uint16_t>(bytes * audio.Channels);
  f->ByteRate = f->SampleRate * f->BlockAlign;
  f->BitsPerSample = audio.BitsPerSample;
  f->Subchunk2ID = "data";
  f->DataSize = dataSize;

  f->WriteString(f->ChunkID, 4);
  f->WriteNumber(f->ChunkSize, 4);
  f->WriteString(f->Format, 4);
  f->WriteString(f->Subchunk1ID, 4);
  f->WriteNumber(f->Subchunk1Size, 4);
  f->WriteNumber(f->FormatCode, 2);
  f->WriteNumber(f->NumChannels, 2);
  f->WriteNumber(f->SampleRate, 4);
  f->WriteNumber(f->ByteRate, 4);
  f->WriteNumber(f->BlockAlign, 2);
  f->WriteNumber(f->BitsPerSample, 2);
  f->WriteString(f->Subchunk2ID, 4);
  f->WriteNumber(f->DataSize, 4);
  f->ExtraChunkID.clear();
  f->ExtraChunkSize = 0;
  f->DataStart = HeaderSize;

  audio.Data().SetPosition(0);
  CopyRest(audio.Data(), *f);
  return f;
}
