// The picture container: GIF frames walked by their block lengths, names in
// any letter case, the cache's exact identities, and where pictures may come
// from (never the network, only regular local files).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "classlib/StringList.h"
#include "components/PictureContainer.h"
#include "components/PictureGif.h"
#include "components/tests/GifBuilder.h"

namespace {

// Records what it was asked to decode.
struct FakeDecoded : TDecodedPicture {
  explicit FakeDecoded(std::string b) : bytes(std::move(b)) {}
  int Width() const override { return 10; }
  int Height() const override { return 5; }
  void Render(void*, const TRect&, bool) const override {}
  std::string bytes;
};

struct UseFakeDecoder {
  UseFakeDecoder() {
    THTMLPicture::SetDecoder([](const std::string& b) -> std::unique_ptr<TDecodedPicture> {
      if (b.empty()) throw Exception("Could not load image. Invalid format");
      return std::make_unique<FakeDecoded>(b);
    });
  }
  ~UseFakeDecoder() { THTMLPicture::SetDecoder(nullptr); }
};

std::string TwoFrames() {
  GifFrameSpec a, b;
  b.Left = 3;
  b.Top = 4;
  b.Width = 5;
  b.Height = 6;
  b.Data = std::string("\x21\xF9\x04\x00\x00\x00\x00\x2C", 8); // looks like a frame start
  return MakeGif(40, 30, {a, b});
}

} // namespace

TEST(PictureGif, FramesAreCountedByBlocksNotByPatterns) {
  EXPECT_EQ(gif::FrameCount(TwoFrames()), 2);
  EXPECT_EQ(gif::FrameCount(MakeGif(1, 1, {})), 0);
  EXPECT_EQ(gif::FrameCount("GIF89"), 0);
  EXPECT_EQ(gif::FrameCount("JFIF and more bytes"), 0);
  EXPECT_FALSE(gif::IsGif("GIF8"));
}

TEST(PictureGif, ChosenFrameKeepsTheHeaderAndWhatFollows) {
  const std::string g = TwoFrames();
  gif::Selected s;
  ASSERT_TRUE(gif::SelectFrame(g, 2, s));
  EXPECT_EQ(s.Frame, 2);
  EXPECT_EQ(s.ScreenWidth, 40);
  EXPECT_EQ(s.ScreenHeight, 30);
  EXPECT_EQ(s.Left, 3);
  EXPECT_EQ(s.Top, 4);
  EXPECT_EQ(s.Width, 5);
  EXPECT_EQ(s.Height, 6);
  const size_t header = 13 + 6, frame1 = 8 + 10 + 1 + 1 + 3 + 1;
  EXPECT_EQ(s.Bytes, g.substr(0, header) + g.substr(header + frame1));
  EXPECT_EQ(s.Bytes.back(), '\x3B'); // the trailer stays
  ASSERT_TRUE(gif::SelectFrame(g, 1, s));
  EXPECT_EQ(s.Bytes, g);
  ASSERT_TRUE(gif::SelectFrame(g, 9, s)); // past the last: the last
  EXPECT_EQ(s.Frame, 2);
  ASSERT_TRUE(gif::SelectFrame(g, -3, s));
  EXPECT_EQ(s.Frame, 1);
}

TEST(PictureGif, TruncatedFilesReadNothingPastTheirEnd) {
  const std::string g = TwoFrames();
  for (size_t n = 0; n < g.size(); ++n) {
    const std::string cut = g.substr(0, n);
    gif::Selected s;
    const int count = gif::FrameCount(cut);
    EXPECT_LE(count, 2);
    if (gif::SelectFrame(cut, 2, s)) { EXPECT_LE(s.Bytes.size(), cut.size()); }
  }
}

TEST(PictureContainer, FramesAndDecodingOfAPicture) {
  UseFakeDecoder fake;
  THTMLPicture p;
  EXPECT_TRUE(p.Empty());
  p.SetFrame(2);
  p.LoadFromBytes(TwoFrames());
  EXPECT_FALSE(p.Empty());
  EXPECT_EQ(p.FrameCount(), 2);
  EXPECT_EQ(p.FrameWidth(), 5);
  EXPECT_EQ(p.FrameLeft(), 3);
  gif::Selected s;
  gif::SelectFrame(TwoFrames(), 2, s);
  EXPECT_EQ(static_cast<const FakeDecoded*>(p.Decoded())->bytes, s.Bytes);
  int changes = 0;
  p.OnFrameChange = [&](TObject*) { ++changes; };
  p.SetFrame(7); // kept as given; the last frame is shown
  EXPECT_EQ(p.Frame(), 7);
  EXPECT_EQ(static_cast<const FakeDecoded*>(p.Decoded())->bytes, s.Bytes);
  EXPECT_EQ(changes, 1);
  THTMLPicture q;
  q.LoadFromBytes("BM not a gif");
  q.SetFrame(3); // a non-GIF ignores the frame
  EXPECT_EQ(static_cast<const FakeDecoded*>(q.Decoded())->bytes, "BM not a gif");
  EXPECT_EQ(q.FrameWidth(), 10);
  THTMLPicture copy;
  copy.Assign(&p);
  EXPECT_EQ(copy.Data(), p.Data());
  EXPECT_EQ(copy.Frame(), 1);
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
  EXPECT_TRUE(copy.Data().empty());
}

TEST(PictureContainer, AssigningAnotherClassOnlyEmptiesThePicture) {
  UseFakeDecoder fake;
  THTMLPicture p;
  p.SetFrame(2);
  p.LoadFromBytes(TwoFrames());
  ASSERT_FALSE(p.Empty());
  int changes = 0;
  p.OnChange = [&](TObject*) { ++changes; };
  TStringList other;
  EXPECT_NO_THROW(p.Assign(&other));
  EXPECT_TRUE(p.Empty());
  EXPECT_EQ(p.Decoded(), nullptr);
  EXPECT_EQ(p.Width(), 0);
  EXPECT_EQ(p.Frame(), 1);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(p.Data(), TwoFrames()); // nothing replaced the bytes
  // A picture assigned afterwards shows again.
  THTMLPicture q;
  q.LoadFromBytes("BM picture");
  p.Assign(&q);
  EXPECT_FALSE(p.Empty());
  EXPECT_EQ(p.Data(), "BM picture");
}

TEST(PictureContainer, NamesMatchInAnyLetterCase) {
  TPictureContainer c(nullptr);
  TPictureItem* a = c.Items()->Add();
  a->Name = "КОТ";
  TPictureItem* b = c.Items()->Add();
  b->Name = "dog";
  EXPECT_EQ(c.FindPicture("кот"), a->Picture());
  EXPECT_EQ(c.FindPicture("DOG"), b->Picture());
  EXPECT_EQ(c.FindPicture("кит"), nullptr);
  TPictureContainer d(nullptr);
  d.SetItems(c.Items());
  ASSERT_EQ(d.Items()->Count(), 2);
  EXPECT_EQ(d.Items()->Items(0)->Name, "КОТ");
  EXPECT_NE(d.FindPicture("кот"), a->Picture());
}

TEST(PictureContainer, AddressesAreNeverFetchedAndFoundAgainExactly) {
  THTMLPictureCache cache;
  THTMLPicture* p = cache.AddPicture();
  p->Asynchronous = false;
  p->LoadFromURL("http://example.invalid/a.gif");
  EXPECT_TRUE(p->Empty());
  EXPECT_EQ(p->ID(), "http://example.invalid/a.gif");
  EXPECT_EQ(p->DownloadAddress(), "http://example.invalid/a.gif");
  EXPECT_EQ(cache.FindPicture("http://example.invalid/a.gif"), p);
  EXPECT_EQ(cache.FindPicture("HTTP://example.invalid/a.gif"), nullptr);
  EXPECT_THROW(cache.GetPicture(1), EListError);
}

TEST(PictureContainer, FilesOnlyWhenRegularAndSmall) {
  UseFakeDecoder fake;
  const std::string path = "picture_container_test.gif";
  {
    std::ofstream f(path, std::ios::binary);
    f << TwoFrames();
  }
  THTMLPicture p;
  p.LoadFromURL("file://" + path);
  EXPECT_EQ(p.ID(), "file://" + path);
  EXPECT_FALSE(p.Empty());
  EXPECT_EQ(p.FrameCount(), 2);
  THTMLPicture missing, folder, device, share;
  missing.LoadFromURL("FILE://no-such-picture.gif");
  EXPECT_TRUE(missing.Empty());
  folder.LoadFromFile(".");
  EXPECT_TRUE(folder.Empty());
  device.LoadFromFile("/dev/zero");
  EXPECT_TRUE(device.Empty());
  share.LoadFromFile("\\\\server\\share\\a.gif");
  EXPECT_TRUE(share.Empty());
  std::remove(path.c_str());
}

TEST(PictureContainer, AnAsynchronousLoadOnlyStartsAnEmptyDownload) {
  THTMLPicture p;
  ASSERT_TRUE(p.Asynchronous);
  EXPECT_EQ(p.PixelsPerInchX(), 96);
  EXPECT_EQ(p.PixelsPerInchY(), 96);
  bool raised = false;
  p.OnDownLoadComplete = [&](TObject*) { raised = true; };
  p.OnDownLoadError = [&](TObject*, const std::string&) { raised = true; };
  p.LoadFromURL("http://example.invalid/a.gif");
  EXPECT_EQ(p.DownloadAddress(), "http://example.invalid/a.gif");
  EXPECT_TRUE(p.ID().empty());
  EXPECT_TRUE(p.DownloadBusy());
  p.LoadFromURL("http://example.invalid/b.gif"); // one at a time
  EXPECT_EQ(p.DownloadAddress(), "http://example.invalid/a.gif");
  // The thread ends at once and frees itself; nothing is loaded or raised.
  int ends = 0;
  for (int i = 0; i < 2000 && ends == 0; ++i) {
    ends += CheckSynchronize();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(p.Empty());
  EXPECT_TRUE(p.DownloadBusy());
  EXPECT_FALSE(raised);
}

TEST(PictureContainer, FormStreamingRoundTripsTheBytesAndTellsNobody) {
  UseFakeDecoder fake;
  THTMLPicture p;
  p.LoadFromBytes(TwoFrames());
  TMemoryStream stored;
  p.WriteData(&stored);
  stored.SetPosition(0);
  THTMLPicture q;
  int changes = 0;
  q.OnChange = [&](TObject*) { ++changes; };
  q.ReadData(&stored);
  EXPECT_EQ(q.Data(), TwoFrames());
  EXPECT_FALSE(q.Empty());
  ASSERT_NE(q.Decoded(), nullptr);
  EXPECT_EQ(changes, 0);
  // The stream path tells its listeners.
  stored.SetPosition(0);
  q.LoadFromStream(&stored);
  EXPECT_EQ(changes, 1);
}
