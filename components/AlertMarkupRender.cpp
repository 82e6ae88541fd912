// The markup renderer's line loop and runs (tags: AlertMarkupTags.cpp).
//
// Every line consumes at least one run or one tag, so the walk ends for any
// text and any bounds; the text is scanned forward only (the next "<" is
// remembered), so the cost grows with the length of the text.
#include <algorithm>
#include <climits>

#include "components/AlertMarkupEngine.h"

namespace markup {

int Clamp(Coord v) {
  if (v > INT_MAX / 2) return INT_MAX / 2;
  if (v < INT_MIN / 2) return INT_MIN / 2;
  return static_cast<int>(v);
}

Renderer::Renderer(MarkupSurface& s, const std::string& text, const TRect& bounds,
                   const MarkupParams& p, MarkupResult& r)
    : s_(s), t_(PrepareMarkup(text)), bounds_(bounds), p_(p), r_(r) {}

void Renderer::Apply() {
  if (applied_valid_ && applied_ == st_.CurFont) return;
  s_.SetFont(st_.CurFont);
  applied_ = st_.CurFont;
  applied_valid_ = true;
}

Coord Renderer::Gh() {
  Apply();
  return s_.MeasureRun("gh").cy;
}

size_t Renderer::NextTagStart(size_t pos, size_t end) {
  if (!(lt_from_ <= pos && pos <= lt_at_)) {
    lt_from_ = pos;
    lt_at_ = t_.Find('<', pos, t_.Size());
  }
  return std::min(lt_at_, end);
}

bool Renderer::Run() {
  r_ = MarkupResult();
  base_ = s_.BaseFont();
  initial_brush_ = s_.BaseBrush();
  ppi_ = s_.PixelsPerInch();
  st_.CurFont = base_;
  st_.Brush = kNone;

  const Coord left = Coord(bounds_.Left) + 1;
  Coord top = bounds_.Top;
  Coord textHeight = 0;
  size_t pos = 0;
  const Coord firstGh = Gh();
  while (pos < t_.Size()) {
    const Coord gh = Gh();
    const RenderState start = st_;
    Walk m;
    m.Mode = Pass::Measure;
    m.Pos = pos;
    m.End = t_.Size();
    m.X = m.LineStart = left;
    m.Top = top;
    m.Info.Height = gh;
    m.Gh = gh;
    // Each line reaches the plain text once: from the drawing (or hit-test)
    // pass, or from this pass when only measuring; both would double it.
    m.Collect = p_.MeasureOnly;
    LineInfo line = RenderLine(m);
    if (line.End <= pos) line.End = pos + 1; // cannot happen; never loop
    Coord height = line.Height + p_.LineSpacing;
    Coord x = left;
    const Coord right = bounds_.Right;
    if (st_.Align == 1) {
      x = std::max(left, right - line.Width);
    } else if (st_.Align == 2 && (right - left - line.Width) / 2 > 0) {
      x = left + (right - left - line.Width) / 2;
    }
    x += st_.Indent;
    const Coord bottom = top + height + line.SubExtra + line.SupExtra;
    if (!p_.MeasureOnly) {
      st_ = start;
      Walk d;
      d.Mode = p_.HitTestOnly ? Pass::HitTest : Pass::Draw;
      d.Pos = pos;
      d.End = line.End;
      d.X = d.LineStart = x;
      d.Gh = gh;
      d.Top = top;
      d.Bottom = bottom;
      d.Info = line;
      d.Info.Height = height;
      d.Collect = true;
      RenderLine(d);
    }
    pos = line.End;
    const Coord step = height + line.SubExtra + line.SupExtra;
    top += step;
    textHeight += step;
    if (!p_.MeasureOnly && top + gh > bounds_.Bottom) break;
  }
  if (st_.InAnchor && hit_pending_) {
    r_.HitAnchorIndex = hit_index_;
    hit_pending_ = false;
  }
  r_.AnchorCount = st_.AnchorCount;
  r_.TextHeight = Clamp(textHeight == 0 ? firstGh : textHeight);
  s_.RestoreFont();
  return r_.Hit;
}

LineInfo Renderer::RenderLine(Walk& w) {
  if (st_.InAnchor) {
    st_.AnchorX = w.X;
    st_.AnchorTop = w.Top;
  }
  if (st_.ParaBg && w.Drawing())
    s_.Fill(Rect(bounds_.Left, Clamp(w.Top), bounds_.Right, Clamp(w.Top + w.Info.Height)),
            st_.Brush);
  bool stop = false;
  while (w.Pos < w.End && !stop) {
    const size_t lt = NextTagStart(w.Pos, w.End);
    size_t runEnd = lt;
    if (p_.WordWrap) {
      const size_t sp = t_.Find(' ', w.Pos, lt);
      if (sp < lt) runEnd = sp + 1;
    }
    if (runEnd > w.Pos) {
      DoRun(w, runEnd, stop);
      if (stop) break;
      continue;
    }
    // A tag at w.Pos.
    if (t_.Size() - w.Pos < 3) {
      w.Pos = w.End; // a lone "<" at the end: the text ends
      break;
    }
    const size_t gt = t_.Find('>', w.Pos, t_.Size());
    Tag tag{&t_, w.Pos, gt};
    const TagEnd how = DoTag(w, tag);
    if (how == TagEnd::EndLineBefore) break;
    w.Pos = std::min(gt + 1, t_.Size());
    if (how == TagEnd::EndLine) break;
  }
  w.Info.End = std::min(w.Pos, t_.Size());
  w.Info.Width = w.XOff - (w.EndsInSpace ? w.Trailing : 0);
  if (w.Info.Width < 0) w.Info.Width = 0;
  if (w.Mode != Pass::Measure || p_.MeasureOnly)
    r_.TextWidth = std::max(r_.TextWidth, Clamp(w.Info.Width));
  if (w.Drawing() && w.Rule) {
    const int y = Clamp(w.Bottom + 1);
    s_.Line(Clamp(w.LineStart), y, bounds_.Right, y, kBlack);
  }
  if (st_.InAnchor) {
    if (w.Drawing() && p_.FocusAnchorIndex + 1 == st_.AnchorCount)
      s_.FocusRect(Rect(Clamp(st_.AnchorX), Clamp(st_.AnchorTop), Clamp(w.X), Clamp(w.Bottom)));
    if (w.Mode == Pass::HitTest) RecordAnchorHit(w);
  }
  return w.Info;
}

void Renderer::DoRun(Walk& w, size_t runEnd, bool& stop) {
  const Coord width = Coord(bounds_.Right) - (Coord(bounds_.Left) + 1);
  if (w.Cut) {
    w.Pos = runEnd;
    return;
  }
  const bool endsInSpace = t_.Is(runEnd - 1, ' ');
  const std::string run = DrawableRun(t_, w.Pos, runEnd);
  Apply();
  const TSize size = s_.MeasureRun(run);
  const Coord rw = size.cx, h = size.cy;
  const Coord space = endsInSpace ? s_.MeasureRun(" ").cx : 0;
  if (w.Mode == Pass::Measure && !st_.Hidden) {
    if (p_.WordWrap) {
      // A run fits while the line's end is still inside the width (its
      // trailing space included); one at least as wide as the line goes on
      // it wherever the line stands, and one glued to the text before it (a
      // tag inside a word) never breaks the word.
      const bool fits = w.XOff + rw <= width || rw >= width || !w.EndsInSpace;
      if (!fits) {
        stop = true;
        return;
      }
    }
  }
  if (w.Mode == Pass::Measure) {
    if (st_.Sub) w.Info.SubExtra = std::max(w.Info.SubExtra, h / 4);
    if (st_.Sup) w.Info.SupExtra = std::max(w.Info.SupExtra, h / 4);
    w.Info.Height = std::max(w.Info.Height, h);
  }
  if (st_.Hidden) {
    // Hidden text is consumed and given no room on the line; it still
    // counts for the line's height and the plain text.
    if (w.Collect) AppendShown(t_, w.Pos, runEnd, r_.PlainText);
    w.Pos = runEnd;
    return;
  }
  // Without wrapping, a run that overruns the line is cut with an ellipsis
  // and the rest of the line is dropped.
  const bool overruns = !p_.WordWrap && w.XOff + rw > width;
  if (w.Drawing()) {
    Coord bottom = w.Bottom - w.Info.SubExtra - w.Info.ImageOffset;
    if (st_.Sup) bottom -= w.Info.SupExtra;
    if (st_.Sub) bottom += w.Info.SubExtra;
    const Coord right = p_.WordWrap ? std::max(w.X + rw, Coord(bounds_.Right)) : bounds_.Right;
    const Color text = st_.CurFont.FontColor;
    if (st_.Shadow) {
      const Coord o = p_.ShadowOffset;
      s_.DrawRun(run, Rect(Clamp(w.X + o), Clamp(w.Top + o), Clamp(right + o), Clamp(bottom + o)),
                 p_.ShadowColor, kNone, !p_.WordWrap);
    }
    s_.DrawRun(run, Rect(Clamp(w.X), Clamp(w.Top), Clamp(right), Clamp(bottom)), text, st_.Brush,
               !p_.WordWrap);
    if (st_.InAnchor && p_.FocusAnchorIndex + 1 == st_.AnchorCount)
      r_.FocusedAnchor = st_.AnchorValue;
    if (st_.Error) ErrorMark(w.X, w.X + rw, bottom);
  } else if (w.Mode == Pass::HitTest && st_.InAnchor) {
    // The band of the line's "gh" above its bottom, whatever the run's height.
    const Coord base = w.Bottom - w.Info.ImageOffset;
    if (p_.MouseX >= w.X && p_.MouseX < w.X + rw && p_.MouseY > base - w.Gh &&
        p_.MouseY < base) {
      r_.Hit = true;
      r_.HitAnchor = st_.AnchorValue;
      hit_pending_ = true;
      hit_index_ = st_.AnchorCount;
    }
  }
  if (w.Collect) AppendShown(t_, w.Pos, runEnd, r_.PlainText);
  w.X += rw;
  w.XOff += rw;
  w.HasText = true;
  w.EndsInSpace = endsInSpace;
  w.Trailing = space;
  w.Pos = runEnd;
  if (overruns) w.Cut = true;
}

void Renderer::ErrorMark(Coord x0, Coord x1, Coord bottom) {
  Coord x = x0 - (((x0 % 2) + 2) % 2);
  bool up = ((x % 4) + 4) % 4 == 0;
  Coord prevX = x, prevY = up ? bottom - 1 : bottom + 1;
  for (x += 2; x <= x1; x += 2) {
    up = !up;
    const Coord y = up ? bottom - 1 : bottom + 1;
    s_.Line(Clamp(prevX), Clamp(prevY), Clamp(x), Clamp(y), kRed);
    prevX = x;
    prevY = y;
  }
}

void Renderer::Gradient(Color from, Color to, bool horizontal, const TRect& r) {
  GradientFillFramed(s_, from, to, horizontal, r, 64, kNone);
}

void GradientFillFramed(MarkupSurface& Surface, Color From, Color To, bool Horizontal,
                        const TRect& Rect, int Steps, Color FrameColor) {
  for (const GradientBand& b : GradientBands(Surface.ResolveColor(From), Surface.ResolveColor(To),
                                             Horizontal, Rect, Steps, true))
    Surface.Fill(b.Rect, b.BandColor);
  if (FrameColor == kNone || Rect.Right <= Rect.Left || Rect.Bottom <= Rect.Top) return;
  // The outermost pixels of Rect, as a rectangle with a clear brush draws
  // them: each line leaves out its last pixel, which the next one starts at.
  const int l = Rect.Left, t = Rect.Top, r = Rect.Right - 1, b = Rect.Bottom - 1;
  Surface.Line(l, t, r, t, FrameColor);
  Surface.Line(r, t, r, b, FrameColor);
  Surface.Line(r, b, l, b, FrameColor);
  Surface.Line(l, b, l, t, FrameColor);
}

bool DrawMarkup(MarkupSurface& Surface, const std::string& Text, const TRect& Bounds,
                const MarkupParams& Params, MarkupResult& Result) {
  Renderer r(Surface, Text, Bounds, Params, Result);
  return r.Run();
}

} // namespace markup
