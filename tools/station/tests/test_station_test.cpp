// The station as a client sees it: headers, metadata placement, the audio
// bytes between blocks, the title schedule, pacing, and start and stop.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "tools/station/tests/StationClient.h"
#include "tools/station/tests/StationTestUtil.h"

namespace teststation {
namespace {
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point t) {
  return std::chrono::duration<double>(Clock::now() - t).count();
}

TEST(TestStation, ServesPlainAudioWithIcyHeaders) {
  TestStation station(FastConfig());
  int port = station.Start();
  ASSERT_NE(port, 0);
  StationClient client;
  ASSERT_TRUE(client.Open(port, "/stream"));
  std::string head;
  ASSERT_TRUE(client.ReadHead(head));
  EXPECT_EQ(head.substr(0, 12), "ICY 200 OK\r\n");
  EXPECT_EQ(StationClient::Header(head, "icy-br"), "128");
  EXPECT_EQ(StationClient::Header(head, "icy-name"), "Korvalis test");
  EXPECT_EQ(StationClient::Header(head, "icy-genre"), "test");
  EXPECT_EQ(StationClient::Header(head, "content-type"), "audio/mpeg");
  EXPECT_EQ(StationClient::Header(head, "icy-metaint"), "") << "no metadata unless asked";
  // More than two loops of the file: the wrap-around must be seamless.
  std::vector<uint8_t> audio;
  ASSERT_TRUE(client.ReadBody(TestMp3().size() * 2 + 5000, audio));
  EXPECT_TRUE(IsLoopedMp3(audio, TestMp3()));
}

TEST(TestStation, PutsMetadataEveryMetaintBytesAndKeepsAudioInOrder) {
  StationConfig cfg = FastConfig();
  cfg.metaint = 16000;
  cfg.titles = {"One", u8"Два — песня"};
  cfg.title_seconds = 2.5; // 40000 bytes at 128 kbit/s: blocks at 16000 and 32000 share a title
  TestStation station(cfg);
  int port = station.Start();
  ASSERT_NE(port, 0);
  StationClient client;
  ASSERT_TRUE(client.Open(port, "/stream", true));
  std::string head;
  ASSERT_TRUE(client.ReadHead(head));
  EXPECT_EQ(StationClient::Header(head, "icy-metaint"), "16000");
  std::vector<uint8_t> raw, audio;
  ASSERT_TRUE(client.ReadBody(200000, raw));
  std::vector<std::string> texts;
  ASSERT_TRUE(SplitIcyStream(raw, 16000, audio, texts));
  EXPECT_TRUE(IsLoopedMp3(audio, TestMp3()));
  ASSERT_GE(texts.size(), 8u);
  // Blocks at audio 16000, 32000, ...: titles by 40000-byte slot, L=0 when unchanged.
  const std::vector<std::string> want = {"StreamTitle='One';",
                                         "",
                                         u8"StreamTitle='Два — песня';",
                                         "",
                                         "StreamTitle='One';",
                                         "",
                                         "",
                                         u8"StreamTitle='Два — песня';"};
  for (size_t i = 0; i < want.size(); ++i) EXPECT_EQ(texts[i], want[i]) << "block " << i;
}

TEST(TestStation, RotatesTitlesInOrderAndWrapsAround) {
  StationConfig cfg = FastConfig();
  cfg.metaint = 4000;
  cfg.titles = {"A", u8"Бэ", "C"};
  cfg.title_seconds = 0.5; // 8000 bytes: a new title every second block
  TestStation station(cfg);
  StationClient client;
  ASSERT_TRUE(client.Open(station.Start(), "/stream", true));
  std::string head;
  ASSERT_TRUE(client.ReadHead(head));
  std::vector<uint8_t> raw, audio;
  ASSERT_TRUE(client.ReadBody(70000, raw));
  std::vector<std::string> texts, titles;
  ASSERT_TRUE(SplitIcyStream(raw, 4000, audio, texts));
  for (const auto& t : texts) {
    if (!t.empty()) titles.push_back(TitleOf(t));
  }
  ASSERT_GE(titles.size(), 7u);
  for (size_t i = 0; i < 7; ++i) EXPECT_EQ(titles[i], cfg.titles[i % 3]) << i;
}

TEST(TestStation, MetaintZeroSendsNoMetadataEvenWhenAsked) {
  StationConfig cfg = FastConfig();
  cfg.metaint = 0;
  cfg.titles = {"x"};
  TestStation station(cfg);
  StationClient client;
  ASSERT_TRUE(client.Open(station.Start(), "/stream", true));
  std::string head;
  ASSERT_TRUE(client.ReadHead(head));
  EXPECT_EQ(StationClient::Header(head, "icy-metaint"), "");
  std::vector<uint8_t> audio;
  ASSERT_TRUE(client.ReadBody(100000, audio));
  EXPECT_TRUE(IsLoopedMp3(audio, TestMp3()));
}

TEST(TestStation, HttpStatusLineKeepsIcyHeadersAndOmitsZeroBitrate) {
  StationConfig cfg = FastConfig();
  cfg.icy_status_line = false;
  cfg.bitrate_kbps = 0;
  cfg.name = u8"Радио";
  TestStation station(cfg);
  StationClient client;
  // Header names in any case, bare LF line ends: still a metadata request.
  int port = station.Start();
  ASSERT_TRUE(client.Connect(port));
  ASSERT_TRUE(client.SendRaw("GET /stream?x=1 HTTP/1.1\nicy-metadata:1\n\n"));
  std::string head;
  ASSERT_TRUE(client.ReadHead(head));
  EXPECT_EQ(head.substr(0, 17), "HTTP/1.0 200 OK\r\n");
  EXPECT_EQ(StationClient::Header(head, "icy-br"), "");
  EXPECT_EQ(StationClient::Header(head, "icy-metaint"), "16000");
  EXPECT_EQ(StationClient::Header(head, "icy-name"), u8"Радио");
}

TEST(TestStation, CountsConnectionsAndRecordsRequests) {
  TestStation station(FastConfig());
  int port = station.Start();
  for (int i = 0; i < 3; ++i) {
    StationClient client;
    ASSERT_TRUE(client.Open(port, i == 1 ? "/404" : "/stream", i == 2,
                            "X-Test: " + std::to_string(i) + "\r\n"));
    std::string head;
    ASSERT_TRUE(client.ReadHead(head));
  }
  EXPECT_EQ(station.connections(), 3);
  auto reqs = station.requests();
  ASSERT_EQ(reqs.size(), 3u);
  EXPECT_EQ(reqs[0].substr(0, 24), "GET /stream HTTP/1.0\r\nHo");
  EXPECT_NE(reqs[1].find("GET /404 HTTP/1.0"), std::string::npos);
  EXPECT_NE(reqs[2].find("Icy-MetaData: 1"), std::string::npos);
  EXPECT_NE(reqs[2].find("X-Test: 2"), std::string::npos);
  EXPECT_EQ(reqs[2].find("\r\n\r\n"), std::string::npos);
}

TEST(TestStation, PacesAudioLooselyAtTheBitrate) {
  StationConfig cfg = FastConfig();
  cfg.pace = 4; // 64000 bytes/s at 128 kbit/s
  TestStation station(cfg);
  StationClient client;
  ASSERT_TRUE(client.Open(station.Start(), "/stream"));
  std::string head;
  ASSERT_TRUE(client.ReadHead(head));
  auto start = Clock::now();
  std::vector<uint8_t> audio;
  ASSERT_TRUE(client.ReadBody(64000, audio, 20000)); // 4 s of audio: ~1 s at pace 4
  double took = SecondsSince(start);
  EXPECT_GT(took, 0.5) << "served far faster than paced";
  EXPECT_LT(took, 10.0) << "served far slower than paced";
  EXPECT_TRUE(IsLoopedMp3(audio, TestMp3()));
}

TEST(TestStation, UrlNamesTheListeningPort) {
  TestStation station(FastConfig());
  int port = station.Start();
  ASSERT_GT(port, 0);
  EXPECT_EQ(station.port(), port);
  EXPECT_EQ(station.Url(), "http://127.0.0.1:" + std::to_string(port) + "/stream");
  EXPECT_EQ(station.Url("/drop"), "http://127.0.0.1:" + std::to_string(port) + "/drop");
  EXPECT_EQ(station.Start(), 0) << "already started";
  TestStation other(FastConfig());
  int port2 = other.Start();
  EXPECT_NE(port2, 0);
  EXPECT_NE(port2, port);
}

TEST(TestStation, RefusesToStartWithoutAudio) {
  TestStation station{StationConfig()};
  EXPECT_EQ(station.Start(), 0);
  station.Stop();
}

TEST(TestStation, StopIsIdempotentAndTheStationCanStartAgain) {
  TestStation station(FastConfig());
  ASSERT_NE(station.Start(), 0);
  station.Stop();
  station.Stop();
  int port = station.Start();
  ASSERT_NE(port, 0);
  StationClient client;
  ASSERT_TRUE(client.Open(port, "/stream"));
  std::string head;
  EXPECT_TRUE(client.ReadHead(head));
}

TEST(TestStation, StopReturnsPromptlyWithIdleAndSlowClients) {
  StationConfig cfg = FastConfig();
  cfg.stall_after_bytes = 1000;
  auto station = std::make_unique<TestStation>(cfg);
  int port = station->Start();
  ASSERT_NE(port, 0);
  std::vector<std::unique_ptr<StationClient>> clients;
  for (const char* path : {"", "/silent", "/stall", "/stream", "/endless-header"}) {
    clients.push_back(std::make_unique<StationClient>());
    if (*path) {
      ASSERT_TRUE(clients.back()->Open(port, path, true)); // and never read: buffers fill up
    } else {
      ASSERT_TRUE(clients.back()->Connect(port)); // connects and says nothing
    }
  }
  // Let every client thread reach its waiting point.
  for (int i = 0; i < 100 && station->connections() < 5; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  auto start = Clock::now();
  station->Stop();
  EXPECT_LT(SecondsSince(start), 3.0);
  station.reset();
  // Every client sees its connection end.
  for (size_t i = 0; i < clients.size(); ++i) {
    std::vector<uint8_t> rest;
    EXPECT_TRUE(clients[i]->ReadToClose(rest, 10000)) << "client " << i;
  }
}

} // namespace
} // namespace teststation
