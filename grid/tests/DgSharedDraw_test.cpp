// Colour arithmetic, the colour schemes, rectangle helpers and the shared
// drawing routines, checked on the recording canvas's pixels.
#include "grid/DgSharedDraw.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "classlib/WinApi.h"
#endif

#include "grid/DgFlyoutShapes.h"
#include "grid/DgFormatMask.h"
#include "grid/DgRecordingCanvas.h"
#include "grid/DgSharedCommon.h"
#include "grid/DgThemesSupport.h"

TEST(DgColours, BlendWeighsEachChannelWithoutCarry) {
  EXPECT_EQ(BlendColor(0xFFFFFF, 0x000000, 128), 0x7F7F7F);
  EXPECT_EQ(BlendColor(0xFFFFFF, 0x000000, 255), 0xFEFEFE);
  EXPECT_EQ(BlendColor(0xFFFFFF, 0x000000, 0), 0x000000);
  EXPECT_EQ(BlendColor(0x000000, 0xFFFFFF, 0), 0xFEFEFE);
  // Channels stay apart: red full, blue empty.
  EXPECT_EQ(BlendColor(0x0000FF, 0x0000FF, 200), 0x0000FE);
  EXPECT_EQ(TMaskProvider::BlendColor(0x102030, 0x102030, 77), BlendColor(0x102030, 0x102030, 77));
}

TEST(DgColours, BlendRefusesAlphaOutsideAByteNamingTheUnit) {
  EXPECT_THROW(BlendColor(0, 0, 256), EDgAssertion);
  EXPECT_THROW(BlendColor(0, 0, -1), EDgAssertion);
  auto message = [](auto blend) -> std::string {
    try {
      blend();
    } catch (const Exception& e) { return e.Message(); }
    return "nothing raised";
  };
  EXPECT_EQ(message([] { BlendColor(0, 0, 300); }), "Assertion failure (DgSharedDraw)");
  EXPECT_EQ(message([] { TMaskProvider::BlendColor(0, 0, 256); }),
            "Assertion failure (DgSharedCommon)");
}

#ifdef _WIN32
// Asked of the system whether or not a window of the grid has drawn yet.
TEST(DgColours, SystemColoursAreTheSystems) {
  for (int i : {COLOR_WINDOW, COLOR_BTNFACE, COLOR_HIGHLIGHT, COLOR_GRAYTEXT, COLOR_INFOBK})
    EXPECT_EQ(DgResolveColor(classlib::SysColor(i)), TColor(GetSysColor(i))) << i;
}
#endif

TEST(DgColours, BlendResolvesSystemColours) {
  EXPECT_EQ(BlendColor(clBtnFace, clBtnFace, 255),
            BlendColor(DgResolveColor(clBtnFace), DgResolveColor(clBtnFace), 255));
}

TEST(DgColours, MixRoundsHalvesToEvenAndClampsTheRatio) {
  EXPECT_EQ(MixColors(0x000000, 0x0000FF, 0.5), 0x000080); // 127.5 -> 128
  EXPECT_EQ(MixColors(0x000000, 0x000003, 0.5), 0x000002); // 1.5 -> 2
  EXPECT_EQ(MixColors(0x000000, 0x000005, 0.5), 0x000002); // 2.5 -> 2
  EXPECT_EQ(MixColors(0x112233, 0x445566, 0), 0x112233);
  EXPECT_EQ(MixColors(0x112233, 0x445566, 1), 0x445566);
  // Out of range ratios would spill into the next channel.
  EXPECT_EQ(MixColors(0x000000, 0x0000FF, 2.0), 0x0000FF);
  EXPECT_EQ(MixColors(0x0000FF, 0x000000, -1.0), 0x0000FF);
}

TEST(DgSchemes, TableDefaultsAndOutsideEntries) {
  EXPECT_EQ(SchemeColor(2, 0), 0xCF9365);
  EXPECT_EQ(SchemeColor(13, 3), SchemeColor(2, 3));
  EXPECT_EQ(SchemeColor(13, 1), 0xB6ADA7); // scheme 1 has its own entry 13
  EXPECT_EQ(SchemeColor(5, 1), 0x3C8CFB);
  EXPECT_EQ(SchemeColor(16, 4), 0); // not listed
  EXPECT_EQ(SchemeColor(23, 6), 0x977778);
  EXPECT_EQ(SchemeColor(24, 2), 0); // past the table
  EXPECT_EQ(SchemeColor(0x7F, 2), 0);
  EXPECT_EQ(SchemeColor(2, 7), SchemeColor(2, 2)); // past the schemes: the default
  EXPECT_EQ(SchemeColor(2, 0x82), SchemeColor(2, 2));
}

TEST(DgGeometry, AlignInRectAndFriends) {
  const TRect r{0, 0, 31, 31};
  EXPECT_EQ(AlignInRect(10, 10, TDgHorzAlign::Center, taVerticalCenter, r, 0), Point(10, 10));
  EXPECT_EQ(AlignInRect(10, 10, TDgHorzAlign::Left, taAlignTop, r, 2), Point(2, 2));
  EXPECT_EQ(AlignInRect(10, 10, TDgHorzAlign::Right, taAlignBottom, r, 2), Point(19, 19));
  EXPECT_TRUE(RectsTouch({0, 0, 10, 10}, {10, 10, 20, 20}));
  EXPECT_FALSE(RectsTouch({0, 0, 10, 10}, {11, 0, 20, 10}));
  EXPECT_EQ(ResizeRect({5, 5, 10, 10}, -1, -2, 3, 4), (TRect{4, 3, 13, 14}));
  EXPECT_FALSE(PointsDiffer({12, 8}, {10, 10}, 2));
  EXPECT_TRUE(PointsDiffer({13, 10}, {10, 10}, 2));
  EXPECT_TRUE(PointsDiffer({10, 7}, {10, 10}, 2));
  EXPECT_TRUE(TCalcProvider::PointsDiffer({0, 0}, {1, 1}, 0));
  EXPECT_TRUE(IsPointUnset({-1, 5}));
  EXPECT_FALSE(IsPointUnset({0, 0}));
}

TEST(DgDrawing, VertRampRunsFromTopColourTowardBottom) {
  TDgRecordingCanvas c(10, 10, clBlack);
  DrawVertRamp(c, {0, 0, 10, 4}, 0x000000, 0x0000FF);
  EXPECT_EQ(c.Pixel(3, 0), 0x000000);
  EXPECT_EQ(c.Pixel(3, 2), 0x000080); // half way
  EXPECT_EQ(c.Pixel(3, 3), MixColors(0, 0xFF, 0.75));
  EXPECT_EQ(c.Pixel(3, 4), 0x000000); // below the rectangle
  EXPECT_EQ(c.CallsOf("Line").size(), 4u);
  c.ClearCalls();
  DrawVertRamp(c, {0, 5, 10, 5}, 0, 0xFF);
  EXPECT_TRUE(c.Calls().empty());
}

TEST(DgDrawing, ButtonFaceAndFrames) {
  TDgRecordingCanvas c(20, 20, clBlack);
  DrawButtonFace(c, {0, 0, 10, 10}, true);
  EXPECT_EQ(c.Pixel(0, 0), DgResolveColor(clBtnFace));      // the outer ring is face
  EXPECT_EQ(c.Pixel(1, 1), DgResolveColor(clBtnHighlight)); // frame inside
  EXPECT_EQ(c.Pixel(8, 8), DgResolveColor(clWindowFrame));  // pressed: window frame
  DrawButtonFace(c, {0, 0, 10, 10}, false);
  EXPECT_EQ(c.Pixel(8, 8), DgResolveColor(clBtnShadow));
  EXPECT_EQ(c.Pixel(5, 5), DgResolveColor(clBtnFace));
  DrawFocusFrame(c, {10, 10, 20, 20}, true);
  EXPECT_EQ(c.Pixel(10, 15), DgResolveColor(clHighlight));
  TDgRecordingCanvas d(20, 20, clBlack);
  d.SetBrushColor(clInfoBk);
  d.SetTextColor(0x123456);
  DrawFocusFrame(d, {0, 0, 10, 10}, false);
  EXPECT_EQ(d.Pixel(0, 0), 0xFFFFFF);
  EXPECT_EQ(d.Pixel(1, 0), 0x000000); // dotted
  EXPECT_EQ(d.Pixel(5, 5), 0x000000);
  // Drawn over black with white text, then the canvas's own colours again.
  const TDgCall focus = d.CallsOf("FocusRect").at(0);
  EXPECT_EQ(focus.Color, clWhite);
  EXPECT_EQ(focus.Color2, clBlack);
  EXPECT_EQ(d.BrushColor(), clInfoBk);
  EXPECT_EQ(d.TextColor(), 0x123456);
}

TEST(DgDrawing, AlignedTextFlags) {
  TDgRecordingCanvas c;
  DrawTextAligned(c, {0, 0, 50, 20}, taRightJustify, u"Кол", true);
  DrawTextAligned(c, {0, 0, 50, 20}, taCenter, u"x", false);
  DrawTextAligned(c, {0, 0, 50, 20}, taLeftJustify, u"x", false);
  auto t = c.CallsOf("Text");
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].Flags, 0x8A26u | 0x20000u);
  EXPECT_EQ(t[0].Text, u"Кол");
  EXPECT_TRUE(t[0].Flag); // drawn on a clear brush
  EXPECT_EQ(t[1].Flags, 0x8A25u);
  EXPECT_EQ(t[2].Flags, 0x8A24u);
  EXPECT_FALSE(c.BrushClear()); // solid again afterwards
  DrawVerticalText(c, {0, 0, 20, 50}, u"Up");
  auto v = c.CallsOf("Text");
  EXPECT_EQ(v.back().Value, 900);
  EXPECT_EQ(v.back().Flags, 0xA28u);
  EXPECT_EQ(c.Escapement(), 0);
}

TEST(DgDrawing, AlphaBitmapBlendsOverTheBackground) {
  TDgRecordingCanvas c(8, 8, 0x000000);
  TDgPixmap p(2, 1);
  p.Alpha = true;
  p.At(0, 0) = 0xFF0000FF; // opaque red
  p.At(1, 0) = 0x00FFFFFF; // transparent white
  DrawGraphic(c, 3, 3, p);
  EXPECT_EQ(c.Pixel(3, 3), 0x0000FE);
  EXPECT_EQ(c.Pixel(4, 3), 0x000000);
  uint32_t src[1] = {0x80FFFFFFu}, bg[1] = {0}, out[1] = {0};
  BlendPixels(src, bg, out, 1);
  EXPECT_EQ(out[0], 0x807F7F7Fu); // alpha byte kept
  // A picture without alpha is copied as it is.
  TDgPixmap q(1, 1, 0x00123456);
  DrawGraphic(c, 0, 0, q);
  EXPECT_EQ(c.Pixel(0, 0), 0x123456);
}

TEST(DgDrawing, ClipLimitsThePixels) {
  TDgRecordingCanvas c(10, 10, clBlack);
  SetClipRect(c, {2, 2, 4, 4});
  c.FillRect({0, 0, 10, 10}, clWhite);
  EXPECT_EQ(c.Pixel(1, 1), 0);
  EXPECT_EQ(c.Pixel(3, 3), 0xFFFFFF);
  EXPECT_EQ(c.ClipBox(), (TRect{2, 2, 4, 4}));
}

TEST(DgShapes, ArrowsRollIndicatorAndBoxPlacement) {
  const auto up = DragArrowPolygon(TDgArrowKind::Up);
  ASSERT_EQ(up.size(), 8u);
  EXPECT_EQ(up[1], Point(4, -1));
  const auto down = DragArrowPolygon(TDgArrowKind::Down);
  EXPECT_EQ(down[4], Point(4, 9));
  for (const TPoint& p : DragArrowPolygon(TDgArrowKind::None)) EXPECT_EQ(p, Point(0, 0));
  // The down arrow's tip fills, its shaft's sides stay empty.
  TDgRecordingCanvas c(9, 9, clBlack);
  c.Polygon(down, clNone, clRed);
  EXPECT_EQ(c.Pixel(4, 7), 0x0000FF);
  EXPECT_EQ(c.Pixel(4, 1), 0x0000FF);
  EXPECT_EQ(c.Pixel(1, 1), 0);
  EXPECT_EQ(RollShadowBounds({100, 50}), (TRect{93, 39, 125, 71}));
  EXPECT_EQ(RollUpArrowPolygon().size(), 5u);
  EXPECT_EQ(RollDotEllipse(), (TRect{5, 9, 10, 14}));
  EXPECT_EQ(DragBoxPlacement({200, 100}, 80, 20), (TRect{160, 84, 240, 104}));
}

TEST(DgFooterFormats, FloatAndEditMasks) {
  EXPECT_EQ(DgFormatFloat("0.00", 3.14159), u"3.14");
  EXPECT_EQ(DgFormatFloat("#,##0.0", 1234567.25), u"1 234 567.3");
  EXPECT_EQ(DgFormatFloat("0.##", 2.5), u"2.5");
  EXPECT_EQ(DgFormatFloat("#.##", 0.0), u"0");
  EXPECT_EQ(DgFormatFloat("0 mb", -2.0), u"-2 mb");
  EXPECT_EQ(DgFormatMaskText("(000) 00-00;1;_", u"1234567"), u"(123) 45-67");
  EXPECT_EQ(DgFormatMaskText("\\0-00", u"5"), u"0-5 ");
  EXPECT_EQ(DgTextToFloat(u"12,5"), 12.5);
  EXPECT_EQ(DgTextToFloat(u"abc"), 0.0);
  EXPECT_EQ(DgTextToFloat(u""), 0.0);
}
