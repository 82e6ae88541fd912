// The markup renderer's tags: recognised by the letter after "<" (and
// sometimes the next), attributes read between double quotes. An unknown
// tag is consumed without effect.
#include <algorithm>

#include "components/AlertMarkupEngine.h"

namespace markup {
namespace {

bool StartsNoCase(const std::string& s, const char* prefix) {
  return PosNoCase(prefix, s.substr(0, std::char_traits<char>::length(prefix))) == 1;
}

int FontPoints(int size) {
  static const int kSizes[] = {8, 10, 12, 14, 16};
  if (size >= 1 && size <= 5) return kSizes[size - 1];
  // Any other number is the point size; 0 leaves the height to the font
  // mapper (its default size).
  return std::min(std::max(size, 0), 4096);
}

// v times scale, rounded, kept to the coordinates' range (any scale).
Coord Scaled(Coord v, double scale) {
  const double d = static_cast<double>(v) * scale;
  if (!(d > 0)) return 0;
  return d >= kMaxCoord ? kMaxCoord : static_cast<Coord>(d + 0.5);
}

} // namespace

TagEnd Renderer::DoTag(Walk& w, const Tag& tag) {
  if (tag.Up(1) == '/') { return tag.Length() >= 3 ? CloseTag(w, tag) : TagEnd::Continue; }
  return OpenTag(w, tag);
}

TagEnd Renderer::OpenTag(Walk& w, const Tag& tag) {
  const bool draw = w.Drawing();
  const char c2 = tag.Up(2);
  switch (tag.Up(1)) {
    case 'A': OpenAnchor(w, tag); break;
    case 'B':
      if (c2 == '>')
        st_.CurFont.Bold = true;
      else if (c2 == 'O')
        Body(w, tag);
      else if (c2 == 'R') {
        if (w.Collect) r_.PlainText.push_back('\r');
        return TagEnd::EndLine;
      } else if (c2 == 'L' && !p_.BlinkOn)
        st_.CurFont.FontColor = initial_brush_;
      break;
    case 'E': st_.Error = true; break;
    case 'F': {
      const std::string face = tag.Attr("FACE");
      if (!face.empty()) st_.CurFont.Name = face;
      if (!p_.Selected && tag.Has("COLOR"))
        st_.CurFont.FontColor = ParseColorName(tag.Attr("COLOR"));
      if (draw && !p_.Selected && tag.Has("BGCOLOR")) {
        st_.FontSavedBrush = st_.Brush;
        st_.Brush = ParseColorName(tag.Attr("BGCOLOR"));
      }
      if (tag.Has("SIZE"))
        st_.CurFont.Height = -static_cast<int>(Coord(FontPoints(tag.Number("SIZE"))) * ppi_ / 72);
      break;
    }
    case 'H':
      if (c2 == 'I') {
        st_.HiSavedText = st_.CurFont.FontColor;
        st_.HiSavedBrush = st_.Brush;
        st_.Brush = kHighlight;
        st_.CurFont.FontColor = kHighlightText;
      } else if (c2 == 'R') {
        w.Rule = true;
        return TagEnd::EndLine;
      }
      break;
    case 'I':
      if (c2 == '>')
        st_.CurFont.Italic = true;
      else if (c2 == 'N') {
        const Coord v = std::min<Coord>(tag.Number("X"), kMaxCoord);
        if (v > w.XOff) {
          w.X += v - w.XOff;
          w.XOff = v;
        }
      } else if (c2 == 'M') {
        return Image(w, tag);
      }
      break;
    case 'L':
      if (w.Bullet) return TagEnd::EndLineBefore;
      Bullet(w);
      break;
    case 'P': Paragraph(w, tag); break;
    case 'R': {
      const size_t a = tag.FindNoCase("A", tag.B + 2);
      const Coord deg = std::min<Coord>(
          std::max<Coord>(SaturatedNumber(tag.FirstQuoted(a)), -kMaxCoord), kMaxCoord);
      if (st_.Rotations.size() < 64) st_.Rotations.push_back(st_.CurFont.Escapement);
      st_.CurFont.Escapement = static_cast<int>((deg * 10) % 3600);
      break;
    }
    case 'S':
      if (c2 == '>')
        st_.CurFont.StrikeOut = true;
      else if (c2 == 'H')
        st_.Shadow = true;
      else if (tag.Up(3) == 'B' && c2 == 'U')
        st_.Sub = true;
      else if (tag.Up(3) == 'P' && c2 == 'U')
        st_.Sup = true;
      break;
    case 'U':
      if (c2 == '>') {
        st_.CurFont.Underline = true;
        break;
      }
      if (st_.ListLevel < (1 << 16)) ++st_.ListLevel;
      return TagEnd::EndLine;
    case 'Z': st_.Hidden = true; break;
    default: break;
  }
  return TagEnd::Continue;
}

TagEnd Renderer::CloseTag(Walk& w, const Tag& tag) {
  const bool draw = w.Drawing();
  const char c4 = tag.Up(3);
  switch (tag.Up(2)) {
    case 'A': CloseAnchor(w); break;
    case 'B':
      if (c4 == '>')
        st_.CurFont.Bold = false;
      else
        st_.CurFont.FontColor = base_.FontColor;
      break;
    case 'E': st_.Error = false; break;
    case 'F':
      st_.CurFont.Name = base_.Name;
      st_.CurFont.Height = base_.Height;
      if (draw && !p_.Selected) {
        st_.CurFont.FontColor = base_.FontColor;
        st_.Brush = st_.FontSavedBrush;
      }
      break;
    case 'H':
      if (st_.HiSavedText != kNone || st_.HiSavedBrush != kNone) {
        st_.CurFont.FontColor = st_.HiSavedText == kNone ? base_.FontColor : st_.HiSavedText;
        st_.Brush = st_.HiSavedBrush;
      }
      break;
    case 'I': st_.CurFont.Italic = false; break;
    case 'L': return TagEnd::EndLine;
    case 'P':
      if (draw && st_.ParaBg) st_.Brush = st_.ParaSavedBrush;
      st_.ParaBg = false;
      return TagEnd::EndLine;
    case 'R':
      if (!st_.Rotations.empty()) {
        st_.CurFont.Escapement = st_.Rotations.back();
        st_.Rotations.pop_back();
      }
      break;
    case 'S':
      if (c4 == 'U')
        st_.Sub = st_.Sup = false;
      else if (c4 == 'H')
        st_.Shadow = false;
      else
        st_.CurFont.StrikeOut = false;
      break;
    case 'U':
      if (c4 == '>' || st_.ListLevel == 0)
        st_.CurFont.Underline = false;
      else
        --st_.ListLevel;
      break;
    case 'Z': st_.Hidden = false; break;
    default: break;
  }
  return TagEnd::Continue;
}

void Renderer::OpenAnchor(Walk& w, const Tag& tag) {
  ++st_.AnchorCount;
  st_.InAnchor = true;
  st_.AnchorValue = tag.FirstQuoted(tag.B);
  st_.AnchorX = w.X;
  st_.AnchorTop = w.Top;
  const bool hovered = st_.AnchorCount == p_.HoverAnchorIndex;
  st_.AnchorStyled = w.Mode != Pass::HitTest && (!p_.HoverStyle || hovered);
  st_.HoverBrushSet = st_.HoverTextSet = false;
  if (st_.AnchorStyled) {
    st_.CurFont.Underline = true;
    if (p_.HoverBackColor != kNone) {
      st_.AnchorSavedBrush = st_.Brush;
      st_.Brush = p_.HoverBackColor;
      st_.HoverBrushSet = true;
    }
    if (p_.HoverTextColor != kNone) {
      st_.AnchorSavedText = st_.CurFont.FontColor;
      st_.CurFont.FontColor = p_.HoverTextColor;
      st_.HoverTextSet = true;
    }
  }
  if (!p_.Selected && !st_.HoverTextSet) st_.CurFont.FontColor = p_.AnchorColor;
}

void Renderer::CloseAnchor(Walk& w) {
  if (!st_.InAnchor) return;
  if (st_.AnchorStyled) {
    st_.CurFont.Underline = false;
    if (st_.HoverBrushSet) st_.Brush = st_.AnchorSavedBrush;
    if (st_.HoverTextSet) st_.CurFont.FontColor = st_.AnchorSavedText;
  }
  if (!p_.Selected) st_.CurFont.FontColor = base_.FontColor;
  if (w.Mode == Pass::HitTest) RecordAnchorHit(w);
  if (w.Drawing() && p_.FocusAnchorIndex + 1 == st_.AnchorCount)
    s_.FocusRect(Rect(Clamp(st_.AnchorX), Clamp(st_.AnchorTop), Clamp(w.X), Clamp(w.Bottom)));
  st_.InAnchor = false;
  st_.AnchorStyled = false;
}

void Renderer::RecordAnchorHit(const Walk& w) {
  if (!hit_pending_) return;
  hit_pending_ = false;
  r_.HitAnchorIndex = hit_index_;
  r_.HitAnchorRect = Rect(Clamp(st_.AnchorX), Clamp(st_.AnchorTop), Clamp(w.X), Clamp(w.Bottom));
}

void Renderer::Bullet(Walk& w) {
  w.Bullet = true;
  const Coord indent = Coord(12) * st_.ListLevel;
  w.XOff += indent;
  w.X += indent - 12;
  if (w.Drawing() && !st_.Hidden) {
    const Font keep = st_.CurFont;
    st_.CurFont.Name = "Symbol";
    Apply();
    const std::string glyph = st_.ListLevel % 2 ? std::string(1, '\xB7') : std::string("o");
    const TSize size = s_.MeasureRun(glyph);
    s_.DrawRun(glyph,
               Rect(Clamp(w.X), Clamp(w.Top), Clamp(w.X + size.cx + 12),
                    Clamp(w.Bottom - w.Info.SubExtra - w.Info.ImageOffset)),
               st_.CurFont.FontColor, st_.Brush, false);
    st_.CurFont = keep;
  }
  w.X += 12;
}

void Renderer::Paragraph(Walk& w, const Tag& tag) {
  const std::string align = tag.Attr("ALIGN");
  if (PosNoCase("RIGHT", align)) st_.Align = 1;
  if (PosNoCase("LEFT", align)) st_.Align = 0;
  if (PosNoCase("CENTER", align)) st_.Align = 2;
  if (tag.Has("INDENT"))
    st_.Indent = static_cast<int>(std::min<Coord>(std::max(tag.Number("INDENT"), 0), kMaxCoord));
  if (!w.Drawing() || !tag.Has("BGCOLOR")) return;
  st_.ParaBg = true;
  st_.ParaSavedBrush = st_.Brush;
  const TRect line = Rect(bounds_.Left, Clamp(w.Top), bounds_.Right, Clamp(w.Top + w.Info.Height));
  if (tag.Has("BGCOLORTO")) {
    TRect taller = line;
    taller.Bottom += 2;
    Gradient(ParseColorName(tag.Attr("BGCOLOR")), ParseColorName(tag.Attr("BGCOLORTO")), true,
             taller);
    st_.Brush = kNone;
  } else {
    st_.Brush = ParseColorName(tag.Attr("BGCOLOR"));
    s_.Fill(line, st_.Brush);
  }
}

void Renderer::Body(const Walk& w, const Tag& tag) {
  if (!w.Drawing() || p_.Selected) return;
  const std::string background = tag.Attr("BACKGROUND");
  ImageRef ref;
  if (!background.empty() && ResolveImage(background, ref)) {
    const ImageInfo info = s_.FindImage(ref);
    if (!info.Empty && info.Width > 0 && info.Height > 0) s_.TileImage(ref, bounds_);
  }
  if (!tag.Has("BGCOLOR")) return;
  const Color from = ParseColorName(tag.Attr("BGCOLOR"));
  if (tag.Has("BGCOLORTO")) {
    const std::string dir = tag.Attr("DIR");
    const bool horizontal = !tag.Has("DIR") || PosNoCase("H", dir) == 1;
    Gradient(from, ParseColorName(tag.Attr("BGCOLORTO")), horizontal, bounds_);
  } else {
    TRect r = bounds_;
    r.Left -= 2;
    s_.Fill(r, from);
  }
}

bool Renderer::ResolveImage(const std::string& src, ImageRef& ref) const {
  ref = ImageRef();
  ref.Source = src;
  if (StartsNoCase(src, "IDX:")) {
    ref.Kind = ImageKind::ListIndex;
    ref.Index = SaturatedNumber(src, 4);
    return ref.Index >= 0;
  }
  if (StartsNoCase(src, "SSYS:") || StartsNoCase(src, "LSYS:")) {
    ref.Kind = StartsNoCase(src, "SSYS:") ? ImageKind::SmallSystemIcon : ImageKind::LargeSystemIcon;
    ref.Source = src.substr(5);
    return true;
  }
  if (src.find("://") != std::string::npos) {
    ref.Kind = ImageKind::Address;
    return true;
  }
  if (src.find(':') == std::string::npos && !src.empty()) {
    ref.Kind = ImageKind::Named;
    return true;
  }
  return false;
}

TagEnd Renderer::Image(Walk& w, const Tag& tag) {
  ++st_.ImageCount;
  ImageRef ref;
  const bool alt = tag.Has("ALT") && st_.ImageCount == p_.ImageUnderMouse;
  if (!ResolveImage(tag.Attr(alt ? "ALT" : "SRC"), ref)) return TagEnd::Continue;
  const ImageInfo info = s_.FindImage(ref);
  if (info.Empty) return TagEnd::Continue;
  const Coord givenW = std::min<Coord>(std::max(tag.Number("WIDTH"), 0), kMaxCoord);
  const Coord givenH = std::min<Coord>(std::max(tag.Number("HEIGHT"), 0), kMaxCoord);
  const bool stretch = givenW > 0 && givenH > 0;
  const Coord iw = stretch ? givenW * ppi_ / 96 : info.Width;
  const Coord ih = stretch ? givenH * ppi_ / 96 : info.Height;
  const Coord width = Coord(bounds_.Right) - (Coord(bounds_.Left) + 1);
  // As with words: one at least as wide as the line stays on it.
  if (w.Mode == Pass::Measure && iw < width && w.XOff + iw > width) return TagEnd::EndLineBefore;
  const bool listOrIcon = ref.Kind == ImageKind::ListIndex ||
                          ref.Kind == ImageKind::SmallSystemIcon ||
                          ref.Kind == ImageKind::LargeSystemIcon;
  if (w.Drawing()) {
    if (p_.PrintScaled && listOrIcon)
      s_.DrawImageScaled(ref, Rect(Clamp(w.X), Clamp(w.Top), Clamp(w.X + Scaled(iw, p_.ImageScale)),
                                   Clamp(w.Top + Scaled(ih, p_.ImageScale))));
    else if (stretch)
      s_.DrawImage(ref, Rect(Clamp(w.X), Clamp(w.Top), Clamp(w.X + iw), Clamp(w.Top + ih)), true);
    else
      s_.DrawImage(ref,
                   Rect(Clamp(w.X + info.OffsetX), Clamp(w.Top + info.OffsetY),
                        Clamp(w.X + info.OffsetX + iw), Clamp(w.Top + info.OffsetY + ih)),
                   false);
  }
  if (w.Mode == Pass::HitTest && st_.InAnchor && p_.MouseX > w.X && p_.MouseX < w.X + iw &&
      p_.MouseY > w.Top && p_.MouseY < w.Top + ih) {
    r_.Hit = true;
    r_.HitAnchor = st_.AnchorValue;
    r_.HitImageIndex = st_.ImageCount;
    hit_pending_ = true;
    hit_index_ = st_.AnchorCount;
  }
  w.X += iw;
  w.XOff += iw;
  w.HasText = true;
  w.EndsInSpace = false;
  if (w.Mode == Pass::Measure) {
    w.Info.Height = std::max(w.Info.Height, ih);
    const size_t a = tag.FindAttr("ALIGN");
    if (a != tag.E) {
      const Coord gh = s_.MeasureRun("gh").cy;
      const std::string rest(t_.Bytes, a, tag.E - a);
      if (PosNoCase("\"TOP", rest))
        w.Info.ImageOffset = w.Info.Height - gh;
      else if (PosNoCase("\"MIDDLE", rest))
        w.Info.ImageOffset = (w.Info.Height - gh) / 2;
    }
  }
  return TagEnd::Continue;
}

} // namespace markup
