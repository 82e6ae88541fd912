// The kernel's device-context routines drawn into memory bitmaps and read
// back by pixels (text by its bounding box: fonts differ), picture loading
// by extension (also as a background's ImageName), and gradients with
// system colours. A picture of the samples
// is kept in the test's folder as skins_graph_utils.bmp.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "classlib/Bitmap.h"
#include "classlib/Cp1251.h"
#include "classlib/Graphics.h"
#include "classlib/tests/support/BitmapPixels.h"
#include "classlib/tests/support/ScratchFolder.h"
#include "skins/sBorders.h"
#include "skins/sGradient.h"
#include "skins/sGraphUtils.h"
#include "skins/sJpeg.h"
#include "skins/sPanel.h"
#include "skins/tests/JpegBytes.h"

using namespace skins;
using test_support::Fill;
using test_support::PixelAt;

namespace {

const TColor kGrey = static_cast<TColor>(RGB(128, 128, 128));
const TColor kRed = static_cast<TColor>(RGB(200, 30, 30));
const TColor kBlue = static_cast<TColor>(RGB(30, 30, 200));

int Red(TColor c) { return c & 0xFF; }

// The samples' picture, 4 across.
class Board {
 public:
  Board() : bmp_(4 * 110, 2 * 90) { Fill(bmp_, static_cast<TColor>(RGB(236, 233, 216))); }
  void Put(TBitmap& sample) {
    BitBlt(bmp_.Canvas()->Handle(), (n_ % 4) * 110 + 5, (n_ / 4) * 90 + 5, sample.Width(),
           sample.Height(), sample.Canvas()->Handle(), 0, 0, SRCCOPY);
    ++n_;
  }
  ~Board() { bmp_.SaveToFile("skins_graph_utils.bmp"); }

 private:
  TBitmap bmp_;
  int n_ = 0;
};

Board& Samples() {
  static Board board;
  return board;
}

}  // namespace

TEST(Frames, Draw3DFrameNestsAndConsumesTheCount) {
  TBitmap b(10, 8);
  Fill(b, kGrey);
  int count = 2;
  Draw3DFrame(b.Canvas()->Handle(), Rect(0, 0, 10, 8), kRed, count, kBlue);
  GdiFlush();
  EXPECT_EQ(count, 0);
  EXPECT_EQ(PixelAt(b, 0, 0), kRed);
  EXPECT_EQ(PixelAt(b, 0, 6), kRed);
  EXPECT_EQ(PixelAt(b, 9, 0), kBlue) << "the dark colour owns the top-right corner";
  EXPECT_EQ(PixelAt(b, 0, 7), kBlue);
  EXPECT_EQ(PixelAt(b, 1, 1), kRed) << "second frame";
  EXPECT_EQ(PixelAt(b, 8, 6), kBlue);
  EXPECT_EQ(PixelAt(b, 2, 2), kGrey);
}

TEST(Frames, BevelLinesAreThePixelsTheCoreDraws) {
  for (int kind = 0; kind < 4; ++kind)
    for (bool soft : {false, true})
      for (int width : {1, 2, 5}) {
        TBitmap dc_drawn(24, 18), core_drawn(24, 18);
        Fill(dc_drawn, kGrey);
        Fill(core_drawn, kGrey);
        DrawBevelLines(dc_drawn.Canvas()->Handle(), kRed, kBlue, soft, kind, width,
                       Rect(2, 1, 22, 17));
        GdiFlush();
        DrawBevelLinesPixels(BitmapPixels(&core_drawn), RgbValue(kRed), RgbValue(kBlue), soft,
                             kind, width, Rect(2, 1, 22, 17));
        for (int y = 0; y < 18; ++y)
          for (int x = 0; x < 24; ++x)
            ASSERT_EQ(PixelAt(dc_drawn, x, y), PixelAt(core_drawn, x, y))
                << "kind " << kind << " soft " << soft << " width " << width << " at " << x << ","
                << y;
        if (kind == 0 && soft && width == 5) Samples().Put(dc_drawn);
      }
  // Hard kind 0: left and top first, right and bottom second; kind 1 the other way.
  TBitmap b(10, 10);
  Fill(b, kGrey);
  DrawBevelLines(b.Canvas()->Handle(), kRed, kBlue, false, 1, 2, Rect(0, 0, 10, 10));
  GdiFlush();
  EXPECT_EQ(PixelAt(b, 0, 5), kBlue);
  EXPECT_EQ(PixelAt(b, 1, 5), kBlue);
  EXPECT_EQ(PixelAt(b, 9, 5), kRed);
  EXPECT_EQ(PixelAt(b, 2, 2), kGrey);
  // Soft: the outer line white on a first-colour side, black on the other,
  // line d mixed d / width of the way to the other colour.
  Fill(b, kGrey);
  DrawBevelLines(b.Canvas()->Handle(), kRed, kBlue, true, 0, 3, Rect(0, 0, 10, 10));
  GdiFlush();
  EXPECT_EQ(PixelAt(b, 0, 5), clWhite);
  EXPECT_EQ(PixelAt(b, 9, 5), clBlack);
  EXPECT_EQ(static_cast<uint32_t>(PixelAt(b, 1, 5)),
            MixColors(RgbValue(kRed), RgbValue(kBlue), 1.0 / 3));
}

TEST(Frames, ControlBevelWidthsAndKinds) {
  TBitmap b(30, 20);
  Fill(b, kGrey);
  PaintControlBevel(&b, Rect(0, 0, 30, 20), 1, true, TsControlBevel::cbRaisedSoft);
  EXPECT_EQ(PixelAt(b, 0, 0), clWhite);
  EXPECT_EQ(PixelAt(b, 29, 19), clBlack);
  Fill(b, kGrey);
  PaintControlBevel(&b, Rect(0, 0, 30, 20), 1, false, TsControlBevel::cbLoweredHard);
  EXPECT_EQ(PixelAt(b, 0, 10), clBlack);
  EXPECT_EQ(PixelAt(b, 29, 10), clWhite);
  // Width 4, soft raised: each strip's outer line is the edge grey itself.
  Fill(b, kGrey);
  PaintControlBevel(&b, Rect(0, 0, 30, 20), 4, true, TsControlBevel::cbRaisedSoft);
  EXPECT_EQ(Red(PixelAt(b, 0, 10)), 240);
  EXPECT_EQ(Red(PixelAt(b, 15, 0)), 255);
  EXPECT_EQ(Red(PixelAt(b, 29, 10)), 25);
  EXPECT_EQ(Red(PixelAt(b, 15, 19)), 0);
  EXPECT_EQ(PixelAt(b, 15, 10), kGrey) << "the middle is untouched";
  Samples().Put(b);
  // Hard: the outer line nearly keeps the pixel, the inner ones move to the grey.
  Fill(b, kGrey);
  PaintControlBevel(&b, Rect(0, 0, 30, 20), 4, true, TsControlBevel::cbLoweredHard);
  EXPECT_EQ(Red(PixelAt(b, 0, 10)), (25 * 1 + 128 * 255) >> 8);
  EXPECT_LT(Red(PixelAt(b, 3, 10)), Red(PixelAt(b, 0, 10)));
  Samples().Put(b);
}

TEST(Frames, DottedFrame) {
  TBitmap b(14, 10);
  Fill(b, kGrey);
  DrawDottedFrame(b.Canvas(), Rect(1, 1, 13, 9));
  GdiFlush();
  EXPECT_EQ(PixelAt(b, 1, 1), clBlack);
  EXPECT_EQ(PixelAt(b, 0, 0), clWhite);
  EXPECT_EQ(PixelAt(b, 4, 1), clBlack);
  EXPECT_EQ(PixelAt(b, 3, 0), clWhite);
  EXPECT_EQ(PixelAt(b, 2, 1), kGrey);
  EXPECT_EQ(PixelAt(b, 12, 4), clBlack) << "right edge";
  EXPECT_EQ(PixelAt(b, 11, 3), clWhite);
  EXPECT_EQ(PixelAt(b, 7, 8), clBlack) << "bottom edge";
  EXPECT_EQ(PixelAt(b, 6, 6), kGrey);
}

TEST(Shadows, CoreKeepsTheTransparencyOfTheBackground) {
  TBitmap source(60, 40), target(60, 40);
  Fill(source, clWhite);
  Fill(target, kGrey);
  ShadowRect(source.Canvas(), Rect(0, 0, 60, 40), target.Canvas()->Handle(), 4,
             TShadowShape::RoundRect, 6, clBlack, 60, Point(0, 0));
  GdiFlush();
  EXPECT_NEAR(Red(PixelAt(target, 30, 20)), 255 * 60 / 100, 2) << "about 60 % of the white";
  EXPECT_GT(Red(PixelAt(target, 1, 20)), Red(PixelAt(target, 30, 20))) << "lighter rings outside";
  EXPECT_GT(Red(PixelAt(target, 0, 0)), 245);
  Samples().Put(target);
  // 0 fills, 100 copies, a blur of -1 or far above half the size is held.
  Fill(target, kGrey);
  CopyArea(source.Canvas(), Rect(0, 0, 10, 10), target.Canvas()->Handle(), TShadowShape::Ellipse,
           0, kRed, 0, Point(5, 5));
  CopyArea(source.Canvas(), Rect(0, 0, 10, 10), target.Canvas()->Handle(), TShadowShape::Ellipse,
           0, kRed, 100, Point(20, 5));
  GdiFlush();
  EXPECT_EQ(PixelAt(target, 5, 5), kRed);
  EXPECT_EQ(PixelAt(target, 14, 14), kRed);
  EXPECT_EQ(PixelAt(target, 20, 5), clWhite);
  EXPECT_EQ(PixelAt(target, 30, 5), kGrey);
  for (int blur : {-1, 1000})
    ShadowRect(source.Canvas(), Rect(0, 0, 9, 7), target.Canvas()->Handle(), 3,
               TShadowShape::Ellipse, blur, clBlack, 60, Point(40, 20));
  ShadowRect(source.Canvas(), Rect(0, 0, 9, 7), target.Canvas()->Handle(), 3,
             TShadowShape::Ellipse, 2, clBlack, 250, Point(40, 30));
  GdiFlush();
  EXPECT_EQ(PixelAt(target, 44, 30), clWhite) << "transparency held at 100: a copy";
}

TEST(Tiling, BitmapTilesCutAtTheEdges) {
  TBitmap tile(5, 4), b(40, 20);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x)
      tile.Canvas()->SetPixel(x, y, static_cast<TColor>(RGB(x * 50, y * 60, 90)));
  Fill(b, kGrey);
  TileGraphic(b.Canvas(), Rect(2, 3, 25, 13), &tile);
  GdiFlush();
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool inside = x >= 2 && x < 25 && y >= 3 && y < 13;
      ASSERT_EQ(PixelAt(b, x, y),
                inside ? static_cast<TColor>(RGB((x - 2) % 5 * 50, (y - 3) % 4 * 60, 90)) : kGrey)
          << x << "," << y;
    }
  TBitmap empty;
  TileGraphic(b.Canvas(), Rect(0, 0, 40, 20), &empty);
  TileGraphic(b.Canvas(), Rect(0, 0, 40, 20), nullptr);
  Samples().Put(b);
}

namespace {

// The smallest rectangle around the pixels that are not `background`.
TRect InkBox(TBitmap& b, TColor background) {
  TRect box{b.Width(), b.Height(), -1, -1};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (PixelAt(b, x, y) != background) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box;
}

}  // namespace

TEST(Text, PlacedByItsExtentAndReturnedGrownByOne) {
  TBitmap b(200, 40);
  b.Canvas()->Font()->SetColor(clBlack);
  for (UINT format : {UINT(DT_CENTER), UINT(DT_RIGHT), UINT(DT_LEFT)}) {
    Fill(b, clWhite);
    TRect r{0, 0, 200, 40};
    WriteText(b.Canvas(), "Korvalis", true, format, r);
    GdiFlush();
    const TRect ink = InkBox(b, clWhite);
    ASSERT_LT(ink.Left, ink.Right) << "text drawn";
    EXPECT_GE(ink.Left, r.Left + 1);
    EXPECT_LE(ink.Right, r.Right - 1);
    EXPECT_GE(ink.Top, r.Top + 1);
    EXPECT_LE(ink.Bottom, r.Bottom - 1);
    const TSize ext = b.Canvas()->TextExtent("Korvalis");
    EXPECT_EQ(r.Width(), ext.cx + 2);
    EXPECT_EQ(r.Top, (40 - ext.cy) / 2 - 1) << "vertically centred";
    if (format == DT_RIGHT) {
      EXPECT_EQ(r.Right, 201);
    } else if (format == DT_LEFT) {
      EXPECT_EQ(r.Left, -1);
    } else {
      EXPECT_NEAR(r.Left + r.Right, 200, 1);
    }
  }
  // Disabled: engraved, the highlight one pixel right and down of the shadow.
  Fill(b, kGrey);
  TRect r{0, 0, 200, 40};
  WriteTextEx(b.Canvas(), "Korvalis", false, true, -1, DT_CENTER, r);
  GdiFlush();
  const TRect ink = InkBox(b, kGrey);
  EXPECT_GE(ink.Left, r.Left + 1);
  EXPECT_LE(ink.Right, r.Right);
  // Nothing for no text; the rectangle stays.
  TRect same{3, 4, 50, 30};
  WriteText(b.Canvas(), "", true, DT_CENTER, same);
  EXPECT_EQ(same, (TRect{3, 4, 50, 30}));
  EXPECT_GT(TextHeight(b.Canvas()->Font()->Handle()), 6);
}

class PictureFiles : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::current_path() / "skins_pictures";
    test_support::RemoveTree(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { test_support::RemoveTree(folder_); }
  std::string Path(const char* name) { return WideToCp1251((folder_ / name).wstring()); }
  void Write(const char* name, const std::vector<uint8_t>& bytes) {
    FILE* f = _wfopen((folder_ / name).wstring().c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
  }
  // The picture holding a 3 x 2 red bitmap.
  void Red3x2(TPicture& p) {
    TBitmap b(3, 2);
    Fill(b, kRed);
    p.Assign(&b);
  }
  std::filesystem::path folder_;
};

TEST_F(PictureFiles, ByExtension) {
  TBitmap colour(8, 6);
  Fill(colour, static_cast<TColor>(RGB(200, 100, 30)));
  colour.SaveToFile(Path("colour.BMP"));
  TPicture p;
  ASSERT_TRUE(LoadPictureFile(&p, Path("colour.BMP"), true));
  ASSERT_EQ(p.Width(), 8);
  EXPECT_EQ(PixelAt(*p.Bitmap(), 3, 3), static_cast<TColor>(RGB(110, 110, 110))) << "grey";
  ASSERT_TRUE(LoadPictureFile(&p, Path("colour.BMP"), false));
  EXPECT_EQ(PixelAt(*p.Bitmap(), 3, 3), static_cast<TColor>(RGB(200, 100, 30)));

  const std::vector<uint8_t> jpeg = skins_test::MakeJpeg(48, 32);
  Write("photo.jpeg", jpeg);
  ASSERT_TRUE(LoadPictureFile(&p, Path("photo.jpeg"), false));
  EXPECT_EQ(p.Width(), 48);
  EXPECT_EQ(p.Height(), 32);
  EXPECT_NEAR(GetBValue(PixelAt(*p.Bitmap(), 1, 16)), 160, 8);
  Write("photo.JPG", jpeg);
  ASSERT_TRUE(LoadPictureFile(&p, Path("photo.JPG"), true));
  const TColor g = PixelAt(*p.Bitmap(), 1, 16);
  EXPECT_EQ(GetRValue(g), GetBValue(g)) << "decoded grey";

  // Another extension keeps the picture; a missing file clears it.
  Red3x2(p);
  Write("image.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 0});
  EXPECT_FALSE(LoadPictureFile(&p, Path("image.png"), false));
  EXPECT_EQ(p.Width(), 3);
  EXPECT_FALSE(LoadPictureFile(&p, Path("missing.bmp"), false));
  EXPECT_EQ(p.Width(), 0);
  EXPECT_EQ(p.Graphic(), nullptr);
}

TEST_F(PictureFiles, ABackgroundPictureLoadsByExtensionAndAFailedLoadKeepsIt) {
  auto* panel = new TsPanel(nullptr);
  TsBGImage* bg = panel->sStyle()->Background()->Image();
  const std::vector<uint8_t> jpeg = skins_test::MakeJpeg(48, 32);
  Write("photo.jpg", jpeg);
  bg->SetImageName(Path("photo.jpg"));
  ASSERT_EQ(bg->Image()->Width(), 48);
  EXPECT_EQ(bg->Image()->Height(), 32);
  EXPECT_NEAR(bg->Image()->Pixels().At(1, 16)[0], 160, 8) << "blue background";
  // Files that exist but do not load: the name is taken, the picture stays.
  Write("header.jpg", std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 40));
  Write("image.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 0});
  for (const char* name : {"header.jpg", "image.png"}) {
    bg->SetImageName(Path(name));
    EXPECT_EQ(bg->ImageName(), Path(name));
    EXPECT_EQ(bg->Image()->Width(), 48) << name;
  }
  // A missing file is not taken at all.
  bg->SetImageName(Path("missing.jpg"));
  EXPECT_EQ(bg->ImageName(), Path("image.png"));
  EXPECT_EQ(bg->Image()->Width(), 48);
  TBitmap colour(8, 6);
  Fill(colour, static_cast<TColor>(RGB(200, 100, 30)));
  colour.SaveToFile(Path("colour.bmp"));
  bg->SetImageName(Path("colour.bmp"));
  EXPECT_EQ(bg->Image()->Width(), 8);
  EXPECT_EQ(bg->Image()->Pixels().At(3, 3)[2], 200);
  panel->Free();
}

TEST_F(PictureFiles, BrokenFilesLeaveThePictureAndTheProgramGoesOn) {
  const std::vector<uint8_t> jpeg = skins_test::MakeJpeg(200, 200);
  TPicture p;
  Red3x2(p);
  Write("header.jpg", std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 40));
  EXPECT_FALSE(LoadPictureFile(&p, Path("header.jpg"), false));
  EXPECT_EQ(p.Width(), 3);
  Write("notes.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'});
  EXPECT_FALSE(LoadPictureFile(&p, Path("notes.bmp"), true));
  EXPECT_EQ(p.Width(), 3);
  // Cut inside the picture data: what arrived is shown.
  Write("cut.jpg", std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + jpeg.size() * 3 / 4));
  EXPECT_TRUE(LoadPictureFile(&p, Path("cut.jpg"), false));
  EXPECT_EQ(p.Width(), 200);
  TJPEGImage direct;
  EXPECT_THROW(direct.LoadFromFile(Path("header.jpg")), EInOutError);
  EXPECT_TRUE(direct.Empty());
}

TEST(Gradient, SystemColoursResolvedOnTheBitmap) {
  TBitmap b(4, 5);
  Fill(b, clWhite);
  const TsGradArray bands =
      ParseGradient(std::to_string(static_cast<int>(clBtnFace)) + ";0;100;0;0");
  PaintGradient(&b, Rect(0, 0, 4, 5), bands);
  GdiFlush();
  EXPECT_EQ(static_cast<COLORREF>(PixelAt(b, 2, 0)), ColorToRGB(clBtnFace));
  EXPECT_EQ(PixelAt(b, 2, 4), clBlack);
}
