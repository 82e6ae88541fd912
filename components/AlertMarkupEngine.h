// Inside the markup renderer: the state carried from run to run and line to
// line, and the renderer that walks the text. Private to the renderer's files.
//
// Each line is walked twice from the same starting state: a measuring pass
// finds what fits and how high the line is, then the drawing (or hit-testing)
// pass walks exactly that part again. Everything a tag changes lives in
// RenderState, so both passes see the same state at every byte.
#pragma once

#include <string>
#include <vector>

#include "components/AlertMarkup.h"
#include "components/AlertMarkupText.h"

namespace markup {

// Geometry is kept in 64 bits and clamped at the surface, so large numbers in
// tags cannot overflow a coordinate.
using Coord = long long;
constexpr Coord kMaxCoord = 1 << 24;
int Clamp(Coord v);

struct RenderState {
  Font CurFont;
  Color Brush = kNone;
  int AnchorCount = 0;
  bool InAnchor = false, AnchorStyled = false;
  std::string AnchorValue;
  Coord AnchorX = 0, AnchorTop = 0;
  Color AnchorSavedBrush = kNone, AnchorSavedText = kNone;
  bool HoverBrushSet = false, HoverTextSet = false;
  int ListLevel = 0;
  int Align = 0; // 0 left, 1 right, 2 centre
  int Indent = 0;
  bool Sub = false, Sup = false, Shadow = false, Hidden = false, Error = false;
  bool ParaBg = false;
  Color HiSavedText = kNone, HiSavedBrush = kNone;
  Color FontSavedBrush = kNone, ParaSavedBrush = kNone;
  std::vector<int> Rotations; // escapements to go back to, innermost last
  int ImageCount = 0;
};

enum class Pass { Measure, Draw, HitTest };

// What a pass over one line found.
struct LineInfo {
  size_t End = 0; // first byte not consumed
  Coord Width = 0;
  Coord Height = 0;
  Coord SubExtra = 0, SupExtra = 0;
  Coord ImageOffset = 0; // text raised by an aligned image
};

// How a tag leaves the line.
enum class TagEnd { Continue, EndLine, EndLineBefore };

class Renderer {
 public:
  Renderer(MarkupSurface& s, const std::string& text, const TRect& bounds, const MarkupParams& p,
           MarkupResult& r);
  bool Run();

 private:
  // The per-pass walk of one line [pos, end) with its geometry.
  struct Walk {
    Pass Mode = Pass::Measure;
    size_t Pos = 0, End = 0;
    Coord X = 0, XOff = 0, Top = 0, Bottom = 0;
    Coord LineStart = 0;
    Coord Gh = 0; // height of "gh" in the line's starting font
    LineInfo Info;
    Coord Trailing = 0;
    bool EndsInSpace = false, HasText = false, Bullet = false, Cut = false, Rule = false;
    bool Collect = false; // append what is shown to PlainText
    bool Drawing() const { return Mode == Pass::Draw; }
  };

  LineInfo RenderLine(Walk& w);
  void DoRun(Walk& w, size_t runEnd, bool& stop);
  TagEnd DoTag(Walk& w, const Tag& tag);
  TagEnd OpenTag(Walk& w, const Tag& tag);
  TagEnd CloseTag(Walk& w, const Tag& tag);
  TagEnd Image(Walk& w, const Tag& tag);
  void Body(const Walk& w, const Tag& tag);
  void Paragraph(Walk& w, const Tag& tag);
  void Bullet(Walk& w);
  void OpenAnchor(Walk& w, const Tag& tag);
  void CloseAnchor(Walk& w);
  void RecordAnchorHit(const Walk& w);
  void ErrorMark(Coord x0, Coord x1, Coord bottom);
  void Gradient(Color from, Color to, bool horizontal, const TRect& r);
  bool ResolveImage(const std::string& src, ImageRef& ref) const;
  void Apply(); // makes the state's font the surface's
  size_t NextTagStart(size_t pos, size_t end);
  Coord Gh();

  MarkupSurface& s_;
  MarkupText t_;
  TRect bounds_;
  const MarkupParams& p_;
  MarkupResult& r_;
  RenderState st_;
  Font base_;
  Color initial_brush_ = kNone;
  Font applied_;
  bool applied_valid_ = false;
  size_t lt_from_ = 1, lt_at_ = 0; // cache of the next "<" search
  bool hit_pending_ = false;
  int hit_index_ = -1;
  std::string hit_value_;
  int ppi_ = 96;
};

} // namespace markup
