// The scripted faults and the side paths: each must behave exactly as
// clients' error handling expects (drop, stall, lying metadata, 404,
// redirects, playlists, garbage, silence, endless header, non-MPEG audio,
// and requests the station itself must refuse).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "tools/station/StationRequest.h"
#include "tools/station/tests/StationClient.h"
#include "tools/station/tests/StationTestUtil.h"

namespace teststation {
namespace {

class StationFault : public ::testing::Test {
 protected:
  void StartWith(StationConfig cfg) {
    station_ = std::make_unique<TestStation>(std::move(cfg));
    port_ = station_->Start();
    ASSERT_NE(port_, 0);
  }
  // Opens `path` and reads the answer head.
  std::string OpenHead(StationClient& client, const std::string& path, bool metadata = false) {
    std::string head;
    EXPECT_TRUE(client.Open(port_, path, metadata));
    EXPECT_TRUE(client.ReadHead(head)) << path;
    return head;
  }
  std::unique_ptr<TestStation> station_;
  int port_ = 0;
};

TEST_F(StationFault, DropClosesAfterExactlyTheAudioBytes) {
  StationConfig cfg = FastConfig();
  cfg.drop_after_bytes = 50000;
  StartWith(cfg);
  StationClient client;
  std::string head = OpenHead(client, "/drop", true);
  EXPECT_EQ(head.substr(0, 10), "ICY 200 OK");
  std::vector<uint8_t> raw, audio;
  ASSERT_TRUE(client.ReadToClose(raw));
  std::vector<std::string> texts;
  ASSERT_TRUE(SplitIcyStream(raw, 16000, audio, texts));
  EXPECT_EQ(audio.size(), 50000u);
  EXPECT_EQ(texts.size(), 3u);
  EXPECT_TRUE(IsLoopedMp3(audio, TestMp3()));
}

TEST_F(StationFault, DropOnceDropsOnlyTheFirstListener) {
  StationConfig cfg = FastConfig();
  cfg.drop_after_bytes = 50000;
  StartWith(cfg);
  StationClient first;
  OpenHead(first, "/drop-once");
  std::vector<uint8_t> raw;
  ASSERT_TRUE(first.ReadToClose(raw));
  EXPECT_EQ(raw.size(), 50000u);
  StationClient again;
  OpenHead(again, "/drop-once");
  std::vector<uint8_t> audio;
  ASSERT_TRUE(again.ReadBody(120000, audio));
  EXPECT_TRUE(IsLoopedMp3(audio, TestMp3()));
}

TEST_F(StationFault, StallGoesQuietButKeepsTheConnection) {
  StationConfig cfg = FastConfig();
  cfg.stall_after_bytes = 30000;
  StartWith(cfg);
  StationClient client;
  OpenHead(client, "/stall");
  std::vector<uint8_t> audio;
  ASSERT_TRUE(client.ReadBody(30000, audio));
  EXPECT_TRUE(IsLoopedMp3(audio, TestMp3()));
  EXPECT_TRUE(client.QuietFor(400));
}

TEST_F(StationFault, BadMetadataIsOddInTheAnnouncedWays) {
  StationConfig cfg = FastConfig();
  cfg.metaint = 1000;
  cfg.titles = {"Good"};
  StartWith(cfg);
  StationClient client;
  OpenHead(client, "/badmeta", true);
  std::vector<uint8_t> raw;
  ASSERT_TRUE(client.ReadBody(1000 + 1 + 32 + 1000 + 1 + 32 + 1000 + 1 + 32, raw));
  // Block 1: right length (2 = 32 bytes) but no StreamTitle.
  ASSERT_EQ(raw[1000], 2);
  std::string junk(raw.begin() + 1001, raw.begin() + 1033);
  EXPECT_EQ(junk.find("StreamTitle"), std::string::npos);
  // Block 2: 32 bytes; the text ends with a zero at byte 16 and binary
  // bytes follow inside the block, then the audio.
  ASSERT_EQ(raw[2033], 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&raw[2034])), "StreamTitle='");
  EXPECT_EQ(raw[2034 + 15], 0);
  EXPECT_EQ(raw[2034 + 16], 1);
  std::vector<uint8_t> after(raw.begin() + 2066, raw.begin() + 3066);
  EXPECT_TRUE(IsLoopedMp3(after, TestMp3(), 2000));
  // Block 3: a plain title again.
  ASSERT_EQ(raw[3066], 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&raw[3067])), "StreamTitle='Good';");
}

TEST_F(StationFault, NotFoundForTheNamedAndUnknownPaths) {
  StartWith(FastConfig());
  for (const char* path : {"/404", "/nothing-here", "/redirect/x"}) {
    StationClient client;
    std::string head = OpenHead(client, path);
    EXPECT_EQ(head.substr(0, 13), "HTTP/1.0 404 ") << path;
    std::vector<uint8_t> body;
    EXPECT_TRUE(client.ReadToClose(body)) << path;
  }
}

TEST_F(StationFault, RedirectChainEndsAtTheStream) {
  StartWith(FastConfig());
  std::string path = "/redirect/6";
  int hops = 0;
  for (; hops < 10; ++hops) {
    StationClient client;
    std::string head = OpenHead(client, path);
    if (head.substr(0, 12) != "HTTP/1.0 302") {
      EXPECT_EQ(head.substr(0, 10), "ICY 200 OK");
      break;
    }
    std::string location = StationClient::Header(head, "Location");
    const std::string base = "http://127.0.0.1:" + std::to_string(port_);
    ASSERT_EQ(location.substr(0, base.size()), base);
    path = location.substr(base.size());
  }
  EXPECT_EQ(hops, 6);
  EXPECT_EQ(path, "/stream");
  StationClient one;
  EXPECT_EQ(StationClient::Header(OpenHead(one, "/redirect"), "Location"),
            station_->Url("/stream"));
}

TEST_F(StationFault, PlaylistsPointAtTheStream) {
  StartWith(FastConfig());
  StationClient pls, m3u;
  std::string head = OpenHead(pls, "/list.pls");
  EXPECT_EQ(head.substr(0, 15), "HTTP/1.0 200 OK");
  EXPECT_EQ(StationClient::Header(head, "Content-Type"), "audio/x-scpls");
  std::vector<uint8_t> body;
  ASSERT_TRUE(pls.ReadToClose(body));
  std::string text(body.begin(), body.end());
  EXPECT_EQ(text.substr(0, 10), "[playlist]");
  EXPECT_NE(text.find("File1=" + station_->Url() + "\r\n"), std::string::npos);
  EXPECT_EQ(std::to_string(body.size()), StationClient::Header(head, "Content-Length"));

  head = OpenHead(m3u, "/list.m3u");
  EXPECT_EQ(StationClient::Header(head, "Content-Type"), "audio/x-mpegurl");
  ASSERT_TRUE(m3u.ReadToClose(body));
  text.assign(body.begin(), body.end());
  EXPECT_NE(text.find("\n" + station_->Url() + "\r\n"), std::string::npos);
}

TEST_F(StationFault, GarbageIsNotHttpAndEnds) {
  StartWith(FastConfig());
  StationClient client;
  ASSERT_TRUE(client.Open(port_, "/garbage"));
  std::vector<uint8_t> all;
  ASSERT_TRUE(client.ReadToClose(all));
  ASSERT_FALSE(all.empty());
  std::string text(all.begin(), all.end());
  EXPECT_NE(text.substr(0, 4), "HTTP");
  EXPECT_NE(text.substr(0, 3), "ICY");
}

TEST_F(StationFault, SilentNeverAnswers) {
  StartWith(FastConfig());
  StationClient client;
  ASSERT_TRUE(client.Open(port_, "/silent"));
  EXPECT_TRUE(client.QuietFor(500));
}

TEST_F(StationFault, EndlessHeaderNeverEndsItsLine) {
  StartWith(FastConfig());
  StationClient client;
  ASSERT_TRUE(client.Open(port_, "/endless-header"));
  std::vector<uint8_t> got;
  ASSERT_TRUE(client.ReadBody(1 << 20, got));
  std::string text(got.begin(), got.end());
  EXPECT_EQ(text.substr(0, 12), "ICY 200 OK\r\n");
  EXPECT_EQ(text.find("\r\n", 12), std::string::npos);
  EXPECT_EQ(text.find('\n', 12), std::string::npos);
}

TEST_F(StationFault, NotMpegServesNoFrameSync) {
  StartWith(FastConfig());
  StationClient client;
  std::string head = OpenHead(client, "/notmpeg");
  EXPECT_EQ(head.substr(0, 10), "ICY 200 OK");
  EXPECT_EQ(StationClient::Header(head, "Content-Type"), "audio/mpeg");
  std::vector<uint8_t> audio;
  ASSERT_TRUE(client.ReadBody(200000, audio));
  EXPECT_FALSE(IsLoopedMp3(audio, TestMp3()));
  EXPECT_EQ(FirstFrameKbps(audio), 0);
  EXPECT_EQ(std::count(audio.begin(), audio.end(), 0xFF), 0);
}

TEST_F(StationFault, RefusesAnOversizedOrMalformedRequest) {
  StartWith(FastConfig());
  StationClient big;
  ASSERT_TRUE(big.Connect(port_));
  ASSERT_TRUE(big.SendRaw("GET /stream HTTP/1.0\r\nX-Long: " + std::string(20000, 'a')));
  std::string head;
  ASSERT_TRUE(big.ReadHead(head));
  EXPECT_EQ(head.substr(0, 12), "HTTP/1.0 400");

  StationClient odd;
  ASSERT_TRUE(odd.Connect(port_));
  ASSERT_TRUE(odd.SendRaw("HELLO\r\n\r\n"));
  ASSERT_TRUE(odd.ReadHead(head));
  EXPECT_EQ(head.substr(0, 12), "HTTP/1.0 400");
  EXPECT_EQ(station_->requests().size(), 2u);
}

TEST(StationRequest, TakesOriginAndAbsoluteFormTargets) {
  auto pathOf = [](const std::string& line) {
    StationRequest req;
    EXPECT_TRUE(ParseStationRequest(line + "\r\nHost: h\r\n\r\n", req)) << line;
    return req.path;
  };
  EXPECT_EQ(pathOf("GET /stream?x=1 HTTP/1.0"), "/stream");
  EXPECT_EQ(pathOf("GET http://127.0.0.1:8000/stream HTTP/1.1"), "/stream");
  EXPECT_EQ(pathOf("GET HTTP://host/list.pls?x HTTP/1.1"), "/list.pls");
  EXPECT_EQ(pathOf("GET http://host HTTP/1.1"), "/");
  EXPECT_EQ(pathOf("GET http://host?x HTTP/1.1"), "/");
  EXPECT_EQ(pathOf("GET http:///stream HTTP/1.1"), "") << "no host";
  EXPECT_EQ(pathOf("OPTIONS * HTTP/1.1"), "");
  EXPECT_EQ(pathOf("GET ftp://host/stream HTTP/1.1"), "");
  StationRequest req;
  EXPECT_FALSE(ParseStationRequest("GET\r\n\r\n", req));
}

// What a client sees of a request the station answers without audio: the
// head, then the close.
struct Answer {
  std::string head;
  std::vector<uint8_t> body;
};
Answer Ask(int port, const std::string& request) {
  Answer a;
  StationClient client;
  EXPECT_TRUE(client.Connect(port));
  EXPECT_TRUE(client.SendRaw(request));
  EXPECT_TRUE(client.ReadHead(a.head)) << request;
  EXPECT_TRUE(client.ReadToClose(a.body)) << request;
  return a;
}

TEST_F(StationFault, HeadGetsTheHeadOfGetWithoutABody) {
  StationConfig cfg = FastConfig();
  cfg.metaint = 1000;
  StartWith(cfg);
  for (const char* path : {"/stream", "/chunked", "/list.pls", "/404", "/redirect/2"}) {
    StationClient get;
    std::string getHead = OpenHead(get, path, true);
    Answer head = Ask(port_, std::string("HEAD ") + path +
                                 " HTTP/1.0\r\nIcy-MetaData: 1\r\n\r\n");
    EXPECT_EQ(head.head, getHead) << path;
    EXPECT_TRUE(head.body.empty()) << path;
  }
}

TEST_F(StationFault, OtherMethodsAre405) {
  StartWith(FastConfig());
  for (const char* request : {"POST /stream HTTP/1.0\r\nContent-Length: 3\r\n\r\nabc",
                              "PUT /stream HTTP/1.1\r\nHost: h\r\n\r\n",
                              "OPTIONS * HTTP/1.1\r\nHost: h\r\n\r\n",
                              "get /stream HTTP/1.0\r\n\r\n"}) {
    Answer a = Ask(port_, request);
    EXPECT_EQ(a.head.substr(0, 13), "HTTP/1.0 405 ") << request;
    EXPECT_EQ(StationClient::Header(a.head, "Allow"), "GET, HEAD") << request;
    EXPECT_EQ(a.body.size(), std::stoul(StationClient::Header(a.head, "Content-Length")))
        << request;
  }
  Answer bad = Ask(port_, "GET http:///stream HTTP/1.0\r\n\r\n");
  EXPECT_EQ(bad.head.substr(0, 13), "HTTP/1.0 400 ");
}

TEST_F(StationFault, AbsoluteFormTargetIsServedAsItsPath) {
  StartWith(FastConfig());
  StationClient client;
  ASSERT_TRUE(client.Connect(port_));
  ASSERT_TRUE(client.SendRaw("GET http://127.0.0.1:" + std::to_string(port_) +
                             "/stream?x=1 HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
  std::string head;
  ASSERT_TRUE(client.ReadHead(head));
  EXPECT_EQ(head.substr(0, 10), "ICY 200 OK");
  std::vector<uint8_t> audio;
  ASSERT_TRUE(client.ReadBody(50000, audio));
  EXPECT_TRUE(IsLoopedMp3(audio, TestMp3()));
}

// The chunked station: the chunks joined are the ICY stream of /stream.
TEST_F(StationFault, ChunkedPathCodesTheStationInChunksOfManySizes) {
  StationConfig cfg = FastConfig();
  cfg.metaint = 3000;
  cfg.titles = {"Chunk"};
  StartWith(cfg);
  StationClient client;
  std::string head = OpenHead(client, "/chunked", true);
  EXPECT_EQ(head.substr(0, 15), "HTTP/1.1 200 OK");
  EXPECT_EQ(StationClient::Header(head, "Transfer-Encoding"), "chunked");
  EXPECT_EQ(StationClient::Header(head, "icy-metaint"), "3000");
  std::vector<uint8_t> raw, byte, plain;
  std::set<size_t> sizes;
  while (plain.size() < 60000) {
    std::string line;
    for (byte.clear(); line.size() < 64 && (line.empty() || line.back() != '\n');) {
      ASSERT_TRUE(client.ReadBody(1, byte));
      line += static_cast<char>(byte[0]);
      byte.clear();
    }
    size_t size = std::stoul(line, nullptr, 16);
    ASSERT_GT(size, 0u);
    sizes.insert(size);
    raw.clear();
    ASSERT_TRUE(client.ReadBody(size + 2, raw));
    ASSERT_EQ(raw[size], '\r');
    ASSERT_EQ(raw[size + 1], '\n');
    plain.insert(plain.end(), raw.begin(), raw.begin() + static_cast<long>(size));
  }
  EXPECT_GE(sizes.size(), 5u);
  std::vector<uint8_t> audio;
  std::vector<std::string> texts;
  // Whole blocks only: the title's (33 bytes), then "unchanged" ones (1 byte).
  plain.resize(3000 + 33 + 18 * (3000 + 1));
  ASSERT_TRUE(SplitIcyStream(plain, 3000, audio, texts));
  EXPECT_TRUE(IsLoopedMp3(audio, TestMp3()));
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0], "StreamTitle='Chunk';");
}

TEST_F(StationFault, ClientLeavingMidStreamFreesItsThread) {
  StationConfig cfg = FastConfig();
  cfg.pace = 1;
  StartWith(cfg);
  for (int i = 0; i < 5; ++i) {
    StationClient client;
    OpenHead(client, "/stream");
  }
  // All five left at once; the station still serves the next one.
  StationClient client;
  OpenHead(client, "/stream");
  std::vector<uint8_t> audio;
  EXPECT_TRUE(client.ReadBody(10000, audio));
  EXPECT_EQ(station_->connections(), 6);
}

} // namespace
} // namespace teststation
