// The markup renderer on a real canvas under Wine: a 300 x 100 sample with
// bold Cyrillic, a link, a red word, a bullet list and the euro sign,
// checked by its pixels and saved as alert_markup_render.bmp in the build
// folder; fonts given back; system icons by attributes for network paths.
#include <gtest/gtest.h>

#include "classlib/Bitmap.h"
#include "components/AlertMarkupCanvas.h"

namespace {

const char kSample[] =
    "<b>Жирный текст</b> и <A href=\"x\">ссылка</A> и <font color=\"#ff0000\">красный</font> "
    "&euro;&nbsp;5 <IMG src=\"gif\" width=\"12\" height=\"12\">"
    "<UL><LI>первый пункт<LI>второй пункт</UL>";

struct Count {
  int red = 0, blue = 0, dark = 0;
};

Count CountPixels(TBitmap& b, const TRect& area) {
  Count c;
  for (int y = area.Top; y < area.Bottom; ++y) {
    const uint8_t* row = b.ScanLine(y);
    for (int x = area.Left; x < area.Right; ++x) {
      const int bl = row[x * 3], g = row[x * 3 + 1], r = row[x * 3 + 2];
      if (r > 200 && g < 60 && bl < 60) ++c.red;
      if (bl > 200 && g < 60 && r < 60) ++c.blue;
      if (r < 60 && g < 60 && bl < 60) ++c.dark;
    }
  }
  return c;
}

TBitmap* Canvas300x100() {
  auto* b = new TBitmap(300, 100);
  b->Canvas()->Brush()->SetColor(clWhite);
  b->Canvas()->FillRect(Rect(0, 0, 300, 100));
  b->Canvas()->Font()->SetName("MS Sans Serif");
  b->Canvas()->Font()->SetHeight(-13);
  b->Canvas()->Font()->SetColor(clBlack);
  return b;
}

} // namespace

TEST(AlertMarkupCanvas, SampleRendersWithItsColoursAndLines) {
  TBitmap* b = Canvas300x100();
  markup::MarkupResult r;
  {
    TPictureContainer pictures(nullptr);
    TPictureItem* item = pictures.Items()->Add();
    item->Name = "GIF";
    item->Picture()->LoadFromURL("RES://ALERTGIF");
    item->Picture()->SetFrame(2); // the red one
    TCanvasMarkupSurface s(b->Canvas());
    s.UsePictures(&pictures, nullptr);
    markup::DrawMarkup(s, kSample, Rect(0, 0, 300, 100), markup::MarkupParams(), r);
    EXPECT_EQ(s.FontsHeld(), 0);
  }
  b->SaveToFile("alert_markup_render.bmp");
  const Count all = CountPixels(*b, Rect(0, 0, 300, 100));
  EXPECT_GT(all.red, 12 * 12 + 5); // the second frame and the red word (thin strokes)
  EXPECT_GT(all.blue, 20);          // the link
  EXPECT_GT(all.dark, 100);
  // Three lines: the text, then the two list items below it.
  EXPECT_GE(r.TextHeight, 3 * 13);
  EXPECT_GT(CountPixels(*b, Rect(0, 2 * 13, 300, 3 * 13 + 4)).dark, 10);
  // Nothing below the third line.
  EXPECT_EQ(CountPixels(*b, Rect(0, r.TextHeight + 2, 300, 100)).dark, 0);
  delete b;
}

TEST(AlertMarkupCanvas, MeasuredWidthMatchesTheDrawnText) {
  TBitmap* b = Canvas300x100();
  markup::MarkupParams p;
  p.MeasureOnly = true;
  markup::MarkupResult r;
  {
    TCanvasMarkupSurface s(b->Canvas());
    markup::DrawMarkup(s, "Привет &amp; мир", Rect(0, 0, 300, 100), p, r);
  }
  EXPECT_EQ(r.PlainText, "Привет & мир");
  EXPECT_EQ(r.TextWidth, b->Canvas()->TextWidth("Привет & мир"));
  delete b;
}

TEST(AlertMarkupCanvas, SystemIconsOfNetworkPathsComeFromAttributesOnly) {
  HIMAGELIST list = nullptr;
  // A UNC path is never looked up on the network; it still gets an icon.
  EXPECT_GE(components::SystemIconIndex("\\\\no-such-host-korvalis\\share\\file.txt", false, list),
            0);
  EXPECT_NE(list, nullptr);
  EXPECT_GE(components::SystemIconIndex("3", true, list), 3);
}
