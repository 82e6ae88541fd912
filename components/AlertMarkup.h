// The alert window's markup renderer: a string in a small HTML-like markup
// (bold, italic, fonts, colours, paragraphs, lists, rules, images, anchors)
// drawn into a rectangle, measured, or hit-tested for the anchor under a point.
//
// There is no document tree: the text is consumed from the front, line by
// line; each line is measured first (what fits, how high, how wide) and then
// drawn from its aligned start. All drawing goes through MarkupSurface, so the
// engine needs no Windows header: the canvas surface (AlertMarkupCanvas.h)
// draws with GDI, tests use a surface of fixed metrics.
//
// Entities are decoded once, before anything else; what they give is plain
// text that never starts or ends a tag ("&lt;b&gt;" shows "<b>"). Decoded
// again, "&amp;lt;" would become "<" and an escaped title could open a tag. A single
// "&" in the text underlines the character after it, "&&" shows one "&".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "classlib/DrawTypes.h"
#include "classlib/Types.h"

namespace markup {

// The class library's colour; None for "no colour".
using Color = TColor;
constexpr Color kNone = clNone, kBlack = clBlack, kRed = clRed, kBlue = clBlue, kGray = clGray,
                kHighlight = clHighlight, kHighlightText = clHighlightText;

struct Font {
  std::string Name;
  int Height = -11; // pixels; negative: the character height without leading
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
  Color FontColor = kBlack;
  int Escapement = 0; // tenths of a degree; text rotated about its start
  bool operator==(const Font& o) const {
    return Name == o.Name && Height == o.Height && Bold == o.Bold && Italic == o.Italic &&
           Underline == o.Underline && StrikeOut == o.StrikeOut && FontColor == o.FontColor &&
           Escapement == o.Escapement;
  }
  bool operator!=(const Font& o) const { return !(*this == o); }
};

// Where a picture of an image tag comes from.
enum class ImageKind { ListIndex, SmallSystemIcon, LargeSystemIcon, Named, Address };

struct ImageRef {
  ImageKind Kind = ImageKind::Named;
  std::string Source; // the index, path, name or address
  int Index = 0;      // ListIndex: the image's number
};

// A picture's size in device pixels (already scaled to the device) and the
// offset of the frame it shows; Empty: nothing to show, it takes no room.
struct ImageInfo {
  bool Empty = true;
  int Width = 0, Height = 0;
  int OffsetX = 0, OffsetY = 0;
};

// What the renderer draws on. Runs come ready for the platform's text
// drawing: "&&" for an ampersand, a single "&" before the underlined letter.
class MarkupSurface {
 public:
  virtual ~MarkupSurface() = default;
  // The canvas font and brush colour when the render starts.
  virtual Font BaseFont() = 0;
  virtual Color BaseBrush() = 0;
  // Makes the font current (the surface keeps what it makes); RestoreFont
  // frees all of them and gives the canvas back its own font.
  virtual void SetFont(const Font& f) = 0;
  virtual void RestoreFont() = 0;
  // Width and height of a run in the current font (one line, tabs expanded).
  virtual TSize MeasureRun(const std::string& run) = 0;
  // Draws the run bottom-aligned in r (clipped to r's right edge with an end
  // ellipsis when asked); back kNone: transparent.
  virtual void DrawRun(const std::string& run, const TRect& r, Color text, Color back,
                       bool endEllipsis) = 0;
  virtual void Line(int x1, int y1, int x2, int y2, Color c) = 0;
  virtual void Fill(const TRect& r, Color c) = 0;
  virtual void FocusRect(const TRect& r) = 0;
  virtual int PixelsPerInch() = 0;
  // The RGB value of a colour (system colours resolved), for gradients.
  virtual Color ResolveColor(Color c) { return c; }
  // Size of a picture (scaled by the device's pixels per inch / 96).
  virtual ImageInfo FindImage(const ImageRef& ref) = 0;
  // Draws it at r's top left at its natural size, or stretched into r.
  virtual void DrawImage(const ImageRef& ref, const TRect& r, bool stretch) = 0;
  // For printing: an image-list picture or system icon drawn at its natural
  // size into a bitmap, then stretched into r as device-independent bits.
  virtual void DrawImageScaled(const ImageRef& ref, const TRect& r) { DrawImage(ref, r, true); }
  // Tiles it over r, clipped to r.
  virtual void TileImage(const ImageRef& ref, const TRect& r) = 0;
};

struct MarkupParams {
  int MouseX = 0, MouseY = 0;
  int FocusAnchorIndex = -1; // 0-based anchor with a focus rectangle
  int HoverAnchorIndex = -1; // 1-based anchor drawn as hovered
  int ShadowOffset = 1;
  bool HitTestOnly = false;
  bool MeasureOnly = false;
  bool PrintScaled = false; // image-list pictures and icons drawn ImageScale times their size
  bool Selected = false; // keep the canvas colours
  bool BlinkOn = true;
  bool HoverStyle = false; // only the hovered anchor is underlined and coloured
  bool WordWrap = true;
  double ImageScale = 1.0;
  Color AnchorColor = kBlue;
  Color HoverBackColor = kNone;
  Color HoverTextColor = kNone;
  Color ShadowColor = kGray;
  int LineSpacing = 0;
  // The image (1-based count) under the mouse, as a hit test found it: one
  // with an "ALT" source shows that instead. -1: none.
  int ImageUnderMouse = -1;
};

struct MarkupResult {
  bool Hit = false; // the point lies on an anchor (hit tests)
  std::string HitAnchor;
  std::string PlainText; // the text as shown, one CR per line break
  std::string FocusedAnchor;
  int TextWidth = 0;
  int TextHeight = 0;
  int AnchorCount = 0;
  int HitAnchorIndex = -1;
  TRect HitAnchorRect;
  int HitImageIndex = -1; // the anchor image under the mouse (1-based count)
};

// Draws (or measures, or hit-tests) Text inside Bounds. Returns Result.Hit.
bool DrawMarkup(MarkupSurface& Surface, const std::string& Text, const TRect& Bounds,
                const MarkupParams& Params, MarkupResult& Result);

// Markup that shows `text` exactly as given: "&", "<" and ">" become
// entities, CR and LF spaces.
std::string EscapeMarkup(const std::string& text);

// --- Helpers the renderer is built from (exposed for the popup and tests) ---

// A colour by its name ("clRed", "clBtnFace", ... case-insensitive) or "#RRGGBB";
// anything else is black.
Color ParseColorName(const std::string& name);
// "#RRGGBB" (either letter case); pairs missing from a shorter value read as
// 0 ("#FF" is red); a value with a character that is no hex digit is black.
Color ParseHexColor(const std::string& text);
// Two hexadecimal digits; -1 when either is not one.
int HexByte(char a, char b);
// 1-based position of sub in s, ASCII letters folded; 0 when absent.
int PosNoCase(const std::string& sub, const std::string& s);
// Leading decimal digits of s (after blanks and one sign), saturated to the
// int range; 0 when there are none.
int SaturatedNumber(const std::string& s, size_t from = 0);

// One band of a gradient fill.
struct GradientBand {
  TRect Rect;
  Color BandColor = 0;
};
// The bands of a gradient from From to To (both RGB) over Rect in Steps
// bands (0 counts as 1), side by side when Horizontal, else stacked; with
// ClipFar each band stops at the rectangle's far edge.
std::vector<GradientBand> GradientBands(Color From, Color To, bool Horizontal, const TRect& Rect,
                                        int Steps, bool ClipFar);
// Fills Rect on the surface with those bands (each clipped to the far edge;
// colours resolved by the surface), then, when FrameColor is not kNone,
// outlines Rect in that colour without painting over its inside.
void GradientFillFramed(MarkupSurface& Surface, Color From, Color To, bool Horizontal,
                        const TRect& Rect, int Steps, Color FrameColor);

} // namespace markup
