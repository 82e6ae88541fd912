// The pure parsers: addresses, response heads, playlists, in-band metadata
// and MPEG frame headers.
#include <gtest/gtest.h>

#include <random>

#include "audiolib/src/Chunked.h"
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

// The framing is the length byte's: a block announcing 4080 bytes holds
// 4080 bytes however early its text ends, and the audio and the next title
// behind it come out whole.
TEST(IcyMeta, BlockIsAlwaysSixteenTimesItsLengthByte) {
  const size_t metaint = 64;
  std::vector<uint8_t> wire, audio;
  auto addAudio = [&](uint8_t v) {
    for (size_t i = 0; i < metaint; ++i) {
      wire.push_back(static_cast<uint8_t>(v + i));
      audio.push_back(static_cast<uint8_t>(v + i));
    }
  };
  auto addBlock = [&](uint8_t len, const std::string& text, uint8_t filler) {
    wire.push_back(len);
    std::string padded = text + std::string(32 - text.size(), '\0');
    padded += std::string(len * 16u - 32, static_cast<char>(filler));
    wire.insert(wire.end(), padded.begin(), padded.end());
  };
  addAudio(1);
  addBlock(255, "StreamTitle='long';", 0x55); // text, zeros, then non-zero bytes
  addAudio(100);
  addBlock(2, "StreamTitle='good';", 0);
  addAudio(200);
  MetaStripper s(metaint);
  std::vector<uint8_t> out;
  std::vector<std::string> metas;
  s.Feed(
      wire.data(), wire.size(),
      [&](const uint8_t* d, size_t k) { out.insert(out.end(), d, d + k); },
      [&](const std::string& t) { metas.push_back(t); });
  EXPECT_EQ(out, audio);
  EXPECT_EQ(metas, (std::vector<std::string>{"StreamTitle='long';", "StreamTitle='good';"}));
}

// A zero byte anywhere in a block ends its text there, and only the text:
// zero padding up to a 16-byte boundary with more text after it, or a lone
// zero, at every offset of the text and whatever the chunking.
TEST(IcyMeta, ZeroInsideABlockEndsOnlyTheTitleText) {
  const size_t metaint = 48;
  const std::string text = "StreamTitle='Artist - Song';StreamUrl='http://x/';";
  const std::string good = "StreamTitle='next';";
  std::vector<uint8_t> audio(3 * metaint);
  for (size_t i = 0; i < audio.size(); ++i) audio[i] = static_cast<uint8_t>(0x80 | (i * 13));
  auto block = [](const std::string& body, std::vector<uint8_t>& wire) {
    size_t len = (body.size() + 15) / 16;
    wire.push_back(static_cast<uint8_t>(len));
    wire.insert(wire.end(), body.begin(), body.end());
    wire.insert(wire.end(), len * 16 - body.size(), 0);
  };
  for (int padded = 0; padded < 2; ++padded) {
    for (size_t at = 0; at <= text.size(); ++at) {
      std::string body = text.substr(0, at);
      // Padded: zeros up to the next 16-byte boundary (at least one).
      body.append(padded ? 16 - at % 16 : 1, '\0');
      body += text.substr(at);
      std::vector<uint8_t> wire(audio.begin(), audio.begin() + metaint);
      block(body, wire);
      wire.insert(wire.end(), audio.begin() + metaint, audio.begin() + 2 * metaint);
      block(good, wire);
      wire.insert(wire.end(), audio.begin() + 2 * metaint, audio.end());
      // Every split of the wire into two pieces, and byte by byte.
      for (size_t cut = 0; cut <= wire.size() + 1; ++cut) {
        MetaStripper s(metaint);
        std::vector<uint8_t> out;
        std::vector<std::string> metas;
        auto onAudio = [&](const uint8_t* d, size_t k) { out.insert(out.end(), d, d + k); };
        auto onMeta = [&](const std::string& t) { metas.push_back(t); };
        if (cut <= wire.size()) {
          s.Feed(wire.data(), cut, onAudio, onMeta);
          s.Feed(wire.data() + cut, wire.size() - cut, onAudio, onMeta);
        } else {
          for (uint8_t b : wire) s.Feed(&b, 1, onAudio, onMeta);
        }
        ASSERT_EQ(out, audio) << "zero at " << at << (padded ? " padded" : "") << " cut " << cut;
        ASSERT_EQ(metas, (std::vector<std::string>{text.substr(0, at), good}))
            << "zero at " << at << " cut " << cut;
      }
    }
  }
}

TEST(Chunked, RecognisesTheCodingInTheTransferEncodingField) {
  EXPECT_TRUE(IsChunkedCoding("chunked"));
  EXPECT_TRUE(IsChunkedCoding(" Chunked "));
  EXPECT_TRUE(IsChunkedCoding("gzip, chunked"));
  EXPECT_FALSE(IsChunkedCoding(""));
  EXPECT_FALSE(IsChunkedCoding("identity"));
  EXPECT_FALSE(IsChunkedCoding("chunked, gzip"));
}

// A body in chunks of every kind (extensions, upper-case digits, a bare LF,
// a trailer) cut at every byte into two pieces, and fed byte by byte, in
// place and into another buffer: always the body, then the end.
TEST(Chunked, DecodesTheBodyWhereverTheCodedBytesAreCut) {
  std::string body;
  for (int i = 0; i < 300; ++i) body += "0123456789\r\nABCDEF;"[i % 18];
  std::string coded = "1\r\n" + body.substr(0, 1) + "\r\n" +
                      "1A;name=value\r\n" + body.substr(1, 26) + "\r\n" +
                      "10 \r\n" + body.substr(27, 16) + "\n" +
                      "00000000000000E5\n" + body.substr(43, 229) + "\r\n" +
                      "1c\r\n" + body.substr(272) + "\r\n" +
                      "0;last\r\nX-Trailer: 1\r\n\r\n" + "after the end";
  auto run = [&](const std::vector<size_t>& cuts, bool inPlace) {
    std::vector<uint8_t> in(coded.begin(), coded.end()), out(coded.size());
    ChunkedDecoder d;
    std::string got;
    size_t from = 0;
    for (size_t i = 0; i <= cuts.size(); ++i) {
      size_t to = i < cuts.size() ? cuts[i] : in.size();
      uint8_t* dst = inPlace ? in.data() + from : out.data();
      size_t n = d.Decode(in.data() + from, to - from, dst);
      got.append(reinterpret_cast<const char*>(dst), n);
      from = to;
    }
    EXPECT_TRUE(d.Ended());
    EXPECT_FALSE(d.Failed());
    return got;
  };
  for (size_t cut = 0; cut <= coded.size(); ++cut) {
    ASSERT_EQ(run({cut}, true), body) << "cut at " << cut;
    ASSERT_EQ(run({cut}, false), body) << "cut at " << cut;
  }
  std::vector<size_t> everyByte;
  for (size_t i = 1; i < coded.size(); ++i) everyByte.push_back(i);
  EXPECT_EQ(run(everyByte, false), body);
}

// Framing that is not chunked coding stops the body there: the bytes after
// it are never taken for the body.
TEST(Chunked, BadFramingEndsTheBodyAtTheLastGoodByte) {
  const char* bad[] = {
      "3\r\nabcX\r\n",          // no line end after the bytes
      "3\r\nabc\r\nzz\r\n",     // a size that is no number
      "3\r\nabc\r\n;x\r\n",     // an extension without a size
      "3\r\nabc\r\n\r\n",       // an empty size line
      "3\r\nabc\r\n12345678901234567\r\n", // seventeen digits
      "3\r\nabc\r\n3\rX",        // CR without LF
  };
  for (const char* text : bad) {
    std::string coded = text;
    coded += "more";
    ChunkedDecoder d;
    std::vector<uint8_t> out(coded.size());
    size_t n = d.Decode(reinterpret_cast<const uint8_t*>(coded.data()), coded.size(), out.data());
    EXPECT_TRUE(d.Failed()) << text;
    EXPECT_FALSE(d.Ended()) << text;
    EXPECT_EQ(std::string(out.begin(), out.begin() + static_cast<long>(n)), "abc") << text;
  }
  // An extension longer than any sender writes.
  std::string coded = "3\r\nabc\r\n1;" + std::string(ChunkedDecoder::kMaxLine, 'x') + "\r\nq";
  ChunkedDecoder d;
  std::vector<uint8_t> out(coded.size());
  EXPECT_EQ(d.Decode(reinterpret_cast<const uint8_t*>(coded.data()), coded.size(), out.data()), 3u);
  EXPECT_TRUE(d.Failed());
}
