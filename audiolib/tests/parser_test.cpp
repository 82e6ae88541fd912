// The pure parsers: addresses, response heads, playlists, in-band metadata
// and MPEG frame headers.
#include <gtest/gtest.h>

#include <random>

#include "audiolib/src/HttpHead.h"
#include "audiolib/src/IcyMeta.h"
#include "audiolib/mpeg/MpegHeader.h"
#include "audiolib/src/Playlist.h"
#include "audiolib/src/Url.h"

using namespace audiolib;

TEST(Url, ParsesHostPortAndPath) {
  Url u;
  ASSERT_EQ(ParseUrl("http://radio.example:8000/live?x=1", u), Err::Ok);
  EXPECT_EQ(u.host, "radio.example");
  EXPECT_EQ(u.port, 8000);
  EXPECT_EQ(u.path, "/live?x=1");
  ASSERT_EQ(ParseUrl("  HTTP://127.0.0.1  ", u), Err::Ok);
  EXPECT_EQ(u.port, 80);
  EXPECT_EQ(u.path, "/");
}

TEST(Url, RefusesHttpsAndMalformedAddresses) {
  Url u;
  EXPECT_EQ(ParseUrl("https://secure.example/stream", u), Err::Ssl);
  for (const char* bad : {"", "radio.example/stream", "ftp://x/y", "http://", "http://:80/",
                          "http://host:0/", "http://host:99999/", "http://host:8a/",
                          "http://ho st/", "http://host/pa th", "mms://host/"})
    EXPECT_EQ(ParseUrl(bad, u), Err::Url) << bad;
}

TEST(Url, SchemeIsTheLowerCasedWordBeforeTheFirstSeparator) {
  EXPECT_EQ(UrlScheme("HTTP://host/"), "http");
  EXPECT_EQ(UrlScheme("HttpS://host/a://b"), "https");
  EXPECT_EQ(UrlScheme("host/path"), "");
  EXPECT_EQ(UrlScheme("://host"), "");
}

TEST(Url, ResolvesRedirectTargets) {
  Url base;
  ASSERT_EQ(ParseUrl("http://h:81/a/b.pls", base), Err::Ok);
  EXPECT_EQ(ResolveLocation(base, "http://other/x"), "http://other/x");
  EXPECT_EQ(ResolveLocation(base, "/root"), "http://h:81/root");
  EXPECT_EQ(ResolveLocation(base, "rel"), "http://h:81/a/rel");
}

TEST(HttpHead, ParsesIcyAndHttpStatusLines) {
  const char icy[] = "ICY 200 OK\r\nicy-metaint: 16000\r\nIcy-Br:128\r\n\r\nAUDIO";
  size_t end = FindHeadEnd(icy, sizeof icy - 1);
  ASSERT_EQ(end, sizeof icy - 1 - 5);
  ResponseHead h;
  ASSERT_TRUE(ParseResponseHead(icy, end, h));
  EXPECT_TRUE(h.icy);
  EXPECT_EQ(h.status, 200);
  EXPECT_EQ(h.IntField("icy-metaint"), 16000);
  EXPECT_EQ(h.IntField("icy-br"), 128);
  EXPECT_EQ(h.IntField("content-type"), -1);

  const char http[] = "HTTP/1.1 302 Found\nLocation: /x\n\n";
  ASSERT_EQ(FindHeadEnd(http, sizeof http - 1), sizeof http - 1);
  ASSERT_TRUE(ParseResponseHead(http, sizeof http - 1, h));
  EXPECT_FALSE(h.icy);
  EXPECT_EQ(h.status, 302);
  EXPECT_EQ(h.Field("location"), "/x");
}

TEST(HttpHead, RejectsGarbageAndWaitsForTheBlankLine) {
  ResponseHead h;
  EXPECT_FALSE(ParseResponseHead("\xff\xfb\x90garbage\r\n\r\n", 13, h));
  EXPECT_FALSE(ParseResponseHead("HTTP/2 200\r\n\r\n", 14, h));
  EXPECT_FALSE(ParseResponseHead("ICY abc\r\n\r\n", 11, h));
  EXPECT_EQ(FindHeadEnd("ICY 200 OK\r\nx: y\r\n", 18), 0u);
  // "icy-br: 128,128" as some servers send it.
  ASSERT_TRUE(ParseResponseHead("ICY 200 OK\r\nicy-br: 128,128\r\n\r\n", 31, h));
  EXPECT_EQ(h.IntField("icy-br"), 128);
}

TEST(Playlist, ReadsPlsEntriesInNumberOrder) {
  std::string pls =
      "[playlist]\r\nNumberOfEntries=3\r\nFile2=http://b/2\r\nTitle1=x\r\n"
      "File1=http://a/1\r\nFile3=C:\\local.mp3\r\nFile10=http://c/10\r\n";
  EXPECT_EQ(ParsePlaylist(pls),
            (std::vector<std::string>{"http://a/1", "http://b/2", "http://c/10"}));
}

TEST(Playlist, ReadsM3uAddressesAndSkipsComments) {
  std::string m3u = "#EXTM3U\n#EXTINF:-1,Station\nhttp://a/1\n\nlocal.mp3\r\nhttp://b/2";
  EXPECT_EQ(ParsePlaylist(m3u), (std::vector<std::string>{"http://a/1", "http://b/2"}));
  EXPECT_TRUE(ParsePlaylist("just text").empty());
  // Any case of the scheme is an address; another scheme or a scheme inside
  // the line is not.
  std::string mixed = "HTTPS://a/1\nftp://b/2\nx http://c/3\nhttpx://d/4\nHttp://e/5";
  EXPECT_EQ(ParsePlaylist(mixed), (std::vector<std::string>{"HTTPS://a/1", "Http://e/5"}));
}

TEST(Playlist, RecognisesPlaylistsByTypePathOrContent) {
  EXPECT_TRUE(LooksLikePlaylist("audio/x-scpls", "/x", ""));
  EXPECT_TRUE(LooksLikePlaylist("audio/x-mpegurl", "/x", ""));
  EXPECT_TRUE(LooksLikePlaylist("", "/list.PLS?x", ""));
  EXPECT_TRUE(LooksLikePlaylist("text/plain", "/x", "  [playlist]\n"));
  EXPECT_FALSE(LooksLikePlaylist("audio/mpeg", "/stream", "\xff\xfb"));
}

TEST(IcyMeta, ParsesTitleFieldsWithQuotesAndSemicolons) {
  EXPECT_EQ(MetaStreamTitle("StreamTitle='Artist - Song';StreamUrl='';"), "Artist - Song");
  EXPECT_EQ(MetaStreamTitle("StreamTitle='';"), "");
  EXPECT_EQ(MetaStreamTitle("StreamTitle='Rock'n'Roll; Live';"), "Rock'n'Roll; Live");
  EXPECT_EQ(MetaStreamTitle("StreamTitle='unterminated"), "unterminated");
  EXPECT_EQ(MetaStreamTitle("garbage"), "");
  const uint8_t block[] = {'a', 'b', 0, 'c'};
  EXPECT_EQ(MetaBlockText(block, 4), "ab");
}

// The same stream cut into random pieces always gives the same audio and titles.
TEST(IcyMeta, StripperSeparatesAudioAndTitlesWhateverTheChunking) {
  const size_t metaint = 100;
  std::vector<uint8_t> audio(1000), wire;
  for (size_t i = 0; i < audio.size(); ++i) audio[i] = static_cast<uint8_t>(i * 7);
  std::vector<std::string> titles = {"StreamTitle='one';", "", "StreamTitle='two';"};
  for (size_t i = 0, b = 0; i < audio.size(); i += metaint, ++b) {
    wire.insert(wire.end(), audio.begin() + i, audio.begin() + i + metaint);
    const std::string& t = titles[b % titles.size()];
    size_t len = (t.size() + 15) / 16;
    wire.push_back(static_cast<uint8_t>(len));
    std::string padded = t + std::string(len * 16 - t.size(), '\0');
    wire.insert(wire.end(), padded.begin(), padded.end());
  }
  std::mt19937 rng(5);
  for (int round = 0; round < 20; ++round) {
    MetaStripper s(metaint);
    std::vector<uint8_t> out;
    std::vector<std::string> metas;
    for (size_t pos = 0; pos < wire.size();) {
      size_t n = std::min<size_t>(wire.size() - pos, 1 + rng() % 250);
      s.Feed(
          wire.data() + pos, n,
          [&](const uint8_t* d, size_t k) { out.insert(out.end(), d, d + k); },
          [&](const std::string& t) { metas.push_back(t); });
      pos += n;
    }
    ASSERT_EQ(out, audio);
    ASSERT_EQ(metas.size(), 7u); // blocks 0,2,3,5,6,8,9: the empty ones are not reported
    EXPECT_EQ(metas[0], "StreamTitle='one';");
    EXPECT_EQ(metas[1], "StreamTitle='two';");
  }
}

TEST(IcyMeta, NoMetaintMeansAllAudio) {
  MetaStripper s(0);
  std::vector<uint8_t> in(50, 1), out;
  s.Feed(
      in.data(), in.size(), [&](const uint8_t* d, size_t k) { out.insert(out.end(), d, d + k); },
      [](const std::string&) { FAIL(); });
  EXPECT_EQ(out, in);
}

TEST(MpegHeader, ParsesLayer3AndLayer2Headers) {
  FrameHeader h;
  const uint8_t mp3_128[] = {0xFF, 0xFB, 0x90, 0x64}; // MPEG 1 L3 128k 44.1k joint stereo
  ASSERT_TRUE(ParseFrameHeader(mp3_128, 4, h));
  EXPECT_EQ(h.version, 1);
  EXPECT_EQ(h.layer, 3);
  EXPECT_EQ(h.bitrate_kbps, 128);
  EXPECT_EQ(h.sample_rate, 44100);
  EXPECT_EQ(h.channels, 2);
  EXPECT_EQ(h.frame_bytes, 417u);
  const uint8_t mp2[] = {0xFF, 0xFD, 0xD4, 0xC0}; // MPEG 1 L2 320k 48k mono
  ASSERT_TRUE(ParseFrameHeader(mp2, 4, h));
  EXPECT_EQ(h.layer, 2);
  EXPECT_EQ(h.bitrate_kbps, 320);
  EXPECT_EQ(h.sample_rate, 48000);
  EXPECT_EQ(h.channels, 1);
  const uint8_t mpeg2[] = {0xFF, 0xF3, 0x80, 0xC0}; // MPEG 2 L3 64k 22.05k
  ASSERT_TRUE(ParseFrameHeader(mpeg2, 4, h));
  EXPECT_EQ(h.version, 2);
  EXPECT_EQ(h.sample_rate, 22050);
  EXPECT_EQ(h.bitrate_kbps, 64);
  const uint8_t bad[] = {0xFF, 0xFB, 0xF0, 0x64}; // bitrate index 15
  EXPECT_FALSE(ParseFrameHeader(bad, 4, h));
}

TEST(MpegHeader, CarriesTheChannelModeOfEachFrame) {
  FrameHeader h;
  const uint8_t modes[4] = {0x04, 0x44, 0x84, 0xC4}; // stereo, joint, dual, mono
  for (int m = 0; m < 4; ++m) {
    const uint8_t hdr[] = {0xFF, 0xFB, 0x90, modes[m]};
    ASSERT_TRUE(ParseFrameHeader(hdr, 4, h));
    EXPECT_EQ(h.mode, m);
    EXPECT_EQ(h.channels, m == 3 ? 1 : 2);
  }
}

TEST(MpegHeader, FirstFrameNeedsAConfirmingSecondHeader) {
  std::vector<uint8_t> data(10, 0x11);
  const uint8_t hdr[] = {0xFF, 0xFB, 0x90, 0x64};
  std::vector<uint8_t> frame(417, 0);
  std::copy(hdr, hdr + 4, frame.begin());
  data.insert(data.end(), frame.begin(), frame.end());
  FrameHeader h;
  EXPECT_EQ(FindFirstFrame(data.data(), data.size(), false, h), -1); // not confirmed yet
  EXPECT_EQ(FindFirstFrame(data.data(), data.size(), true, h), 10);  // the data ended there
  data.insert(data.end(), frame.begin(), frame.end());
  EXPECT_EQ(FindFirstFrame(data.data(), data.size(), false, h), 10);
  std::vector<uint8_t> noise(5000);
  std::mt19937 rng(1);
  for (auto& b : noise) b = static_cast<uint8_t>(rng() & 0x7F); // never a sync byte
  EXPECT_EQ(FindFirstFrame(noise.data(), noise.size(), true, h), -1);
}

// A block announcing 4080 bytes but holding 32 must not swallow the audio
// and the next title behind it.
TEST(IcyMeta, BlockShorterThanAnnouncedKeepsTheAlignment) {
  const size_t metaint = 64;
  std::vector<uint8_t> wire, audio;
  auto addAudio = [&](uint8_t v) {
    for (size_t i = 0; i < metaint; ++i) {
      wire.push_back(static_cast<uint8_t>(v + i));
      audio.push_back(static_cast<uint8_t>(v + i));
    }
  };
  auto addBlock = [&](uint8_t len, const std::string& text, size_t real) {
    wire.push_back(len);
    std::string padded = text + std::string(real - text.size(), '\0');
    wire.insert(wire.end(), padded.begin(), padded.end());
  };
  addAudio(1);
  addBlock(255, "StreamTitle='lie';", 32);
  addAudio(100);
  addBlock(2, "StreamTitle='good';", 32);
  addAudio(200);
  MetaStripper s(metaint);
  std::vector<uint8_t> out;
  std::vector<std::string> metas;
  s.Feed(
      wire.data(), wire.size(),
      [&](const uint8_t* d, size_t k) { out.insert(out.end(), d, d + k); },
      [&](const std::string& t) { metas.push_back(t); });
  EXPECT_EQ(out, audio);
  EXPECT_EQ(metas, (std::vector<std::string>{"StreamTitle='lie';", "StreamTitle='good';"}));
}
