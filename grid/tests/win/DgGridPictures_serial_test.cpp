// Header and footer pictures and a right-to-left grid, in a real window
// with real input. A glyph set from a class-library bitmap shows in the
// header and the footer by display mode, and in the drag box of a column
// moved by its header, always without its bottom-left colour. A grid on a
// right-to-left form reads right to left (a caption ending in marks shows
// them at its left), and its in-place editor, attached by a typed letter,
// reads right to left as well. With GRID_SCREENSHOT set to a folder, both
// windows are saved there as bitmaps.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/tests/controls_test_input.h"
#include "grid/DgBitmapWin.h"
#include "grid/DgColumnClasses.h"
#include "grid/DgColumnDragBoxWin.h"
#include "grid/DgEditWin.h"
#include "grid/DgGridMouseWin.h"
#include "grid/DgGridWin.h"

using namespace testinput;

namespace {

constexpr TColor kInk = 0x0000FF, kKey = 0xFF00FF;

// 8 x 8: a red square of 6 x 6 in a magenta ring; the bottom-left pixel is
// magenta, so magenta is the colour left out.
std::unique_ptr<TBitmap> Picture(TPixelFormat format = pf24bit) {
  std::unique_ptr<TBitmap> b(new TBitmap(8, 8));
  b->SetPixelFormat(format);
  for (int y = 0; y < 8; ++y) {
    uint8_t* row = b->ScanLine(y);
    for (int x = 0; x < 8; ++x, row += b->PixelBytes()) {
      const bool ink = x > 0 && x < 7 && y > 0 && y < 7;
      row[0] = ink ? 0x00 : 0xFF; // blue
      row[1] = 0x00;              // green
      row[2] = 0xFF;              // red
    }
  }
  return b;
}

// Two columns of 100 under a header of 18 and over a footer of 18.
struct PictureForm {
  std::unique_ptr<TForm> form{new TForm(nullptr)};
  TDataGridWindow* w = nullptr;
  TDataGrid* g = nullptr;
  explicit PictureForm(TBiDiMode Mode = bdLeftToRight) {
    form->SetCaption("Картинки");
    form->SetBounds(140, 120, 360, 260);
    form->SetBiDiMode(Mode);
    w = new TDataGridWindow(form.get());
    w->SetParent(form.get());
    w->SetBounds(8, 8, 320, 200);
    g = w->Grid();
    for (int i = 0; i < 2; ++i) {
      auto* c = new TDgTextColumn();
      g->Columns()->Add(c);
      c->SetWidth(100);
      c->Header()->SetCaption(i == 0 ? u"abc!!!" : u"abc");
      c->Footer()->SetCaption(u"итог");
    }
    g->SetOptions(TGridOptions{goHeader, goFooter});
    g->AddRow(3);
    for (int r = 0; r < 3; ++r) g->SetCells(1, r, u"Запись");
    form->Show();
    Activate(form->Handle());
    Pump(150);
  }
  HWND h() { return w->Handle(); }
  TDgCustomColumn* Col(int i) { return g->Columns()->Item(i); }
  TRect HeaderOf(int i) { return TRect{i * 100, 0, i * 100 + 100, 18}; }
  void Shot(const char* name) {
    if (const char* dir = std::getenv("GRID_SCREENSHOT")) {
      const std::string path = std::string(dir) + "\\" + name + ".bmp";
      SaveScreenshot(form->Handle(), std::wstring(path.begin(), path.end()));
    }
  }
  TRect FooterOf(int i) {
    const int bottom = w->ClientHeight();
    return TRect{i * 100, bottom - 18, i * 100 + 100, bottom};
  }
};

// The pixels of a window's client rectangle.
std::vector<TColor> Pixels(HWND wnd, const TRect& r) {
  std::vector<TColor> out;
  HDC dc = GetDC(wnd);
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) out.push_back(TColor(GetPixel(dc, x, y)));
  ReleaseDC(wnd, dc);
  return out;
}

int Count(HWND wnd, const TRect& r, TColor colour) {
  int n = 0;
  for (TColor c : Pixels(wnd, r)) n += c == colour;
  return n;
}

void Glide(HWND wnd, int x0, int y0, int x1, int y1, int steps = 8) {
  for (int i = 1; i <= steps; ++i) {
    MoveTo(wnd, x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
    Pump(15);
  }
}

} // namespace

TEST(DgGridPictures, GlyphsShowInHeaderFooterAndDragBoxWithoutTheirBottomLeftColour) {
  PictureForm f;
  std::unique_ptr<TBitmap> pic = Picture();
  for (int i = 0; i < 2; ++i) {
    AssignBitmap(*f.Col(i)->Header()->Glyph(), pic.get());
    AssignBitmap(*f.Col(i)->Footer()->Glyph(), pic.get());
  }
  EXPECT_EQ(f.Col(0)->Header()->Glyph()->TransparentColor(), kKey);
  // A 32-bit bitmap gives the same picture, pixel for pixel.
  TDgBitmap wide;
  AssignBitmap(wide, Picture(pf32bit).get());
  EXPECT_EQ(wide.Pixmap().Pixels, f.Col(0)->Header()->Glyph()->Pixmap().Pixels);
  Pump(60);
  // Text only (the default): no picture anywhere.
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(Count(f.h(), f.HeaderOf(i), kInk), 0);
    EXPECT_EQ(Count(f.h(), f.FooterOf(i), kInk), 0);
  }
  f.Col(0)->Header()->SetDisplayMode(dmImageOnly);
  f.Col(0)->Footer()->SetDisplayMode(dmImageOnly);
  f.Col(1)->Header()->SetDisplayMode(dmTextAndImage);
  f.Col(1)->Footer()->SetDisplayMode(dmTextAndImage);
  Pump(80);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(Count(f.h(), f.HeaderOf(i), kInk), 36) << i;
    EXPECT_EQ(Count(f.h(), f.HeaderOf(i), kKey), 0) << i;
    EXPECT_EQ(Count(f.h(), f.FooterOf(i), kInk), 36) << i;
    EXPECT_EQ(Count(f.h(), f.FooterOf(i), kKey), 0) << i;
  }
  f.Shot("grid_pictures");
  // The glyph sits at the left + 3, centred in the header's height: its
  // ink from (104, 6), within its ring left out.
  EXPECT_EQ(Pixels(f.h(), TRect{104, 6, 105, 7})[0], kInk);
  EXPECT_NE(Pixels(f.h(), TRect{103, 5, 104, 6})[0], kKey);
  EXPECT_NE(Pixels(f.h(), TRect{104, 5, 105, 6})[0], kInk);

  // The second column moved by its header: the box shows its picture.
  TDgColumnDragFeedback* fb = f.w->DragFeedback();
  MoveTo(f.h(), 150, 9);
  Pump(30);
  MouseDown(f.h(), 150, 9);
  Pump(30);
  Glide(f.h(), 150, 9, 60, 9, 10);
  Pump(120);
  ASSERT_TRUE(fb->Box()->HandleAllocated() && IsWindowVisible(fb->Box()->Handle()));
  const TRect box{0, 0, fb->Box()->ClientWidth(), fb->Box()->ClientHeight()};
  EXPECT_EQ(Count(fb->Box()->Handle(), box, kInk), 36);
  EXPECT_EQ(Count(fb->Box()->Handle(), box, kKey), 0);
  MouseUp();
  Pump(80);
}

TEST(DgGridPictures, ARightToLeftGridReadsRightToLeftAndSoDoesItsEditor) {
  PictureForm ltr;
  const std::vector<TColor> marksLtr = Pixels(ltr.h(), ltr.HeaderOf(0));
  const std::vector<TColor> plainLtr = Pixels(ltr.h(), ltr.HeaderOf(1));
  EXPECT_FALSE(ltr.g->UseRightToLeftReading());
  ltr.form.reset();

  PictureForm f(bdRightToLeft);
  EXPECT_TRUE(f.w->ParentBiDiMode());
  EXPECT_EQ(f.w->BiDiMode(), bdRightToLeft);
  EXPECT_TRUE(f.g->UseRightToLeftReading());
  // The marks after "abc" go to its left; a caption of letters alone reads
  // the same both ways.
  EXPECT_NE(Pixels(f.h(), f.HeaderOf(0)), marksLtr);
  EXPECT_EQ(Pixels(f.h(), f.HeaderOf(1)), plainLtr);
  f.Shot("grid_right_to_left");

  // A letter typed on an editable cell attaches the editor.
  TDgCustomColumn* c = f.Col(1);
  c->SetOptions(c->Options() + TColumnOptions{coEditing});
  f.g->SetWantTabs(true);
  Click(f.h(), 150, 18 + 16 + 8);
  Pump(60);
  Type(L"д");
  Pump(120);
  ASSERT_TRUE(f.g->CellEditing());
  auto* ed = dynamic_cast<TDgCustomEdit*>(c->Editor());
  ASSERT_NE(ed, nullptr);
  EXPECT_EQ(ed->BiDiMode(), bdRightToLeft);
  EXPECT_TRUE(ed->WantTabs());
  ASSERT_TRUE(ed->HandleAllocated());
  EXPECT_NE(GetWindowLongPtrW(ed->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING, 0);
  ASSERT_FALSE(ed->EditText().empty());
  EXPECT_EQ(ed->EditText().back(), u'д');
  Key(VK_ESCAPE);
  Pump(60);
}
