// WAV headers as they come (one skipped chunk, longer format chunks,
// trailing chunks, truncated files) and as the companion writes them.
#include <gtest/gtest.h>

#include "converter/PCM_Format.h"
#include "converter/tests/TestDir.h"

namespace {

std::vector<uint8_t> Header(uint32_t fmtSize) {
  std::vector<uint8_t> v;
  PutText(v, "RIFF");
  PutLE(v, 0, 4);
  PutText(v, "WAVEfmt ");
  PutLE(v, fmtSize, 4);
  PutLE(v, 1, 2);
  PutLE(v, 2, 2);
  PutLE(v, 22050, 4);
  PutLE(v, 22050 * 4, 4);
  PutLE(v, 4, 2);
  PutLE(v, 16, 2);
  for (uint32_t i = 16; i < fmtSize; ++i) v.push_back(0x77);
  return v;
}

void Chunk(std::vector<uint8_t>& v, const std::string& id, const std::vector<uint8_t>& body) {
  PutText(v, id);
  PutLE(v, static_cast<uint32_t>(body.size()), 4);
  v.insert(v.end(), body.begin(), body.end());
}

std::vector<uint8_t> Samples(const TAudioData& a) {
  TFile& d = const_cast<TAudioData&>(a).Data();
  std::vector<uint8_t> v(d.Size());
  d.SetPosition(0);
  d.Read(v.data(), d.Size());
  return v;
}

const std::vector<uint8_t> kData = {1, 2, 3, 4, 5, 6, 7, 8};

TEST(WavRead, CanonicalHeader) {
  TTestDir dir;
  std::string name = dir.Path("a.wav");
  TTestDir::WriteBytes(name, MakeWav(2, 44100, 16, kData));
  TAudioData a;
  TPCMFile f(name);
  EXPECT_EQ(f.ChunkID, "RIFF");
  EXPECT_EQ(f.Subchunk2ID, "data");
  EXPECT_EQ(f.ExtraChunkID, "");
  EXPECT_EQ(f.DataStart, 44u);
  EXPECT_EQ(f.DataSize, 8u);
  f.ReadData(a);
  EXPECT_EQ(Samples(a), kData);
  EXPECT_EQ(a.Channels, 2);
  EXPECT_EQ(a.SampleRate, 44100);
  EXPECT_EQ(a.BitsPerSample, 16);
  EXPECT_EQ(a.BlockAlign, 4);
}

TEST(WavRead, OneChunkBeforeTheDataIsSkipped) {
  TTestDir dir;
  std::string name = dir.Path("list.wav");
  auto v = Header(16);
  Chunk(v, "LIST", {'I', 'N', 'F', 'O', 0, 0});
  Chunk(v, "data", kData);
  TTestDir::WriteBytes(name, v);
  TAudioData a;
  TPCMFile f(name);
  EXPECT_EQ(f.ExtraChunkID, "LIST");
  EXPECT_EQ(f.ExtraChunkSize, 6u);
  EXPECT_EQ(f.ExtraChunkStart, 44u);
  f.ReadData(a);
  EXPECT_EQ(Samples(a), kData);
  EXPECT_EQ(a.SampleRate, 22050);
}

TEST(WavRead, WithTwoChunksTheSecondIsTakenAsData) {
  TTestDir dir;
  std::string name = dir.Path("two.wav");
  auto v = Header(16);
  Chunk(v, "LIST", {9, 9});
  Chunk(v, "fact", {7, 7, 7, 7});
  Chunk(v, "data", kData);
  TTestDir::WriteBytes(name, v);
  TAudioData a;
  TPCMFile f(name);
  EXPECT_EQ(f.Subchunk2ID, "fact");
  EXPECT_EQ(f.DataSize, 4u);
  f.ReadData(a);
  std::vector<uint8_t> want = {7, 7, 7, 7, 'd', 'a', 't', 'a', 8, 0, 0, 0};
  want.insert(want.end(), kData.begin(), kData.end());
  EXPECT_EQ(Samples(a), want);
}

TEST(WavRead, FormatChunkOf18Bytes) {
  TTestDir dir;
  std::string name = dir.Path("fmt18.wav");
  auto v = Header(18);
  Chunk(v, "data", kData);
  TTestDir::WriteBytes(name, v);
  TAudioData a;
  TPCMFile f(name);
  EXPECT_EQ(f.DataStart, 46u); // "data" at 38, its size, then the samples
  f.ReadData(a);
  EXPECT_EQ(Samples(a), kData);
}

TEST(WavRead, ATrailingChunkBecomesSamples) {
  TTestDir dir;
  std::string name = dir.Path("trail.wav");
  auto v = MakeWav(2, 44100, 16, kData);
  Chunk(v, "id3 ", {0xAB});
  TTestDir::WriteBytes(name, v);
  TAudioData a;
  TPCMFile f(name);
  f.ReadData(a);
  EXPECT_EQ(a.Data().Size(), kData.size() + 9);
}

TEST(WavRead, ATruncatedHeaderRepeatsTheLastByte) {
  TTestDir dir;
  std::string name = dir.Path("short.wav");
  TTestDir::WriteBytes(name, {'R', 'I', 'F', 'F', 0x10, 0, 0, 0, 'W', 'A'});
  TAudioData a;
  TPCMFile f(name);
  EXPECT_EQ(f.Format, "WAAA");
  EXPECT_EQ(f.Subchunk1ID, "AAAA");
  EXPECT_EQ(f.NumChannels, 'A');
  f.ReadData(a); // nothing after the "data start": no samples, no failure
  EXPECT_EQ(a.Data().Size(), 0u);
}

TEST(WavWrite, EmptyAudioGivesTheBareHeader) {
  TTestDir dir;
  std::string name = dir.Path("empty.wav");
  TAudioData a;
  a.Channels = 2;
  a.BitsPerSample = 16;
  a.SampleRate = 44100;
  TPCMFile::CreateFrom(name, a)->Close();
  EXPECT_EQ(TTestDir::ReadBytes(name), MakeWav(2, 44100, 16, {}));
}

TEST(WavWrite, RoundTripKeepsBytesAndFormat) {
  TTestDir dir;
  std::string name = dir.Path("rt.wav");
  TAudioData a, b;
  a.Channels = 1;
  a.BitsPerSample = 24;
  a.SampleRate = 48000;
  std::vector<uint8_t> data(3 * 100000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7);
  a.Data().Write(data.data(), static_cast<uint32_t>(data.size()));
  TPCMFile::CreateFrom(name, a)->Close();
  auto bytes = TTestDir::ReadBytes(name);
  ASSERT_EQ(bytes.size(), 44 + data.size());
  auto want = MakeWav(1, 48000, 24, data);
  EXPECT_EQ(bytes, want);
  TPCMFile f(name);
  f.ReadData(b);
  EXPECT_EQ(Samples(b), data);
  EXPECT_EQ(b.Channels, 1);
  EXPECT_EQ(b.BitsPerSample, 24);
  EXPECT_EQ(b.SampleRate, 48000);
}

} // namespace
