// The tab list, the tab options' rules and the tab cache's geometry (see
// sTabControlCore.h).
#include "skins/sTabControlCore.h"

#include <cstdlib>

#include "classlib/SysUtils.h"

namespace skins {

namespace {
// The TCS_* bits (commctrl.h), kept here so the core needs no Windows header.
constexpr uint32_t kScrollOpposite = 0x0001, kBottom = 0x0002, kMultiSelect = 0x0004,
                   kFlatButtons = 0x0008, kHotTrack = 0x0040, kVertical = 0x0080,
                   kButtons = 0x0100, kMultiLine = 0x0200, kFixedWidth = 0x0400,
                   kRaggedRight = 0x0800, kFocusNever = 0x8000, kOwnerDrawFixed = 0x2000;

[[noreturn]] void Fail(const std::string& fmt, std::initializer_list<TVarRec> args) {
  throw EListError(Format(fmt, args));
}
} // namespace

// --- TsTabStrings ----------------------------------------------------------------------------

int TsTabStrings::Count() const { return host_->TabWindowCount(); }

std::string TsTabStrings::Get(int Index) const {
  std::string text;
  if (!host_->TabWindowText(Index, text)) Fail("Failed to retrieve tab at index %d", {Index});
  return text;
}

TObject* TsTabStrings::GetObject(int Index) const {
  TObject* object = nullptr;
  if (!host_->TabWindowObject(Index, object)) Fail("Failed to get object at index %d", {Index});
  return object;
}

void TsTabStrings::Put(int Index, const std::string& S) {
  if (!host_->TabWindowSetText(Index, S, host_->TabImageIndex(Index)))
    Fail("Failed to set tab \"%s\" at index %d", {S, Index});
  host_->TabsChanged();
}

void TsTabStrings::PutObject(int Index, TObject* AObject) {
  if (!host_->TabWindowSetObject(Index, AObject)) Fail("Failed to set object at index %d", {Index});
}

void TsTabStrings::Insert(int Index, const std::string& S) {
  if (!host_->TabWindowInsert(Index, S, host_->TabImageIndex(Index)))
    Fail("Failed to set tab \"%s\" at index %d", {S, Index});
  host_->TabsChanged();
}

void TsTabStrings::Delete(int Index) {
  if (!host_->TabWindowDelete(Index)) Fail("Failed to delete tab at index %d", {Index});
  host_->TabsChanged();
}

void TsTabStrings::Clear() {
  if (!host_->TabWindowClear()) throw EListError("Failed to clear tab control");
  host_->TabsChanged();
}

void TsTabStrings::SetUpdateState(bool Updating) {
  updating_ = Updating;
  host_->TabWindowRedraw(!Updating);
  if (!Updating) host_->TabsUpdated();
}

// --- Options ---------------------------------------------------------------------------------

void CheckMultiLine(bool MultiLine, TTabPosition Position) {
  if (!MultiLine && (Position == TTabPosition::tpLeft || Position == TTabPosition::tpRight))
    throw EInvalidOperation("MultiLine must be True when TabPosition is tpLeft or tpRight");
}

void CheckTabPosition(TTabPosition Position, TTabStyle Style) {
  if (Position != TTabPosition::tpTop && Style != TTabStyle::tsTabs)
    throw EInvalidOperation("Tab position incompatible with current tab style");
}

void CheckTabSize(int Value, const std::string& ClassName) {
  if (Value < 0) throw EInvalidOperation(Format("%s property out of range", {ClassName}));
}

uint32_t TabWindowStyle(const TTabWindowOptions& o) {
  uint32_t s = 0;
  switch (o.Position) {
    case TTabPosition::tpTop: break;
    case TTabPosition::tpBottom: s |= kBottom; break;
    // A right-to-left window mirrors its sides.
    case TTabPosition::tpLeft: s |= o.RightToLeft ? kVertical | kBottom : kVertical; break;
    case TTabPosition::tpRight: s |= o.RightToLeft ? kVertical : kVertical | kBottom; break;
  }
  if (o.Style == TTabStyle::tsButtons) s |= kButtons;
  if (o.Style == TTabStyle::tsFlatButtons) s |= kButtons | kFlatButtons;
  if (o.RaggedRight) s |= kRaggedRight;
  if (!o.TabStop) s |= kFocusNever;
  if (o.MultiLine) s |= kMultiLine;
  if (o.MultiSelect) s |= kMultiSelect;
  if (o.OwnerDraw) s |= kOwnerDrawFixed;
  if (o.TabWidth != 0) s |= kFixedWidth;
  if (o.HotTrack && !o.Designing) s |= kHotTrack;
  if (o.ScrollOpposite) s |= kScrollOpposite;
  return s;
}

// --- Tab cache -------------------------------------------------------------------------------

void LayoutRows(TTabCache& cache, const std::vector<TRect>& rects, int rowCount,
                TTabPosition pos, int width, int height, int selected) {
  const bool horizontal = pos == TTabPosition::tpTop || pos == TTabPosition::tpBottom;
  for (size_t i = 0; i < cache.size(); ++i) {
    TTabRecord& t = cache[i];
    t.R = i < rects.size() ? rects[i] : TRect{};
    t.Width = t.R.Width();
    t.Height = t.R.Height();
    t.Placed = false;
  }
  // The edge that starts a row and the edge shared by a row's tabs.
  auto start = [&](const TRect& r) { return horizontal ? r.Left : r.Top; };
  auto across = [&](const TRect& r) { return horizontal ? r.Top : r.Left; };
  auto place = [&](TRect& r, int offset) {
    switch (pos) {
      case TTabPosition::tpTop: r.Offset(0, offset - r.Top); break;
      case TTabPosition::tpBottom: r.Offset(0, (height - offset) - r.Bottom); break;
      case TTabPosition::tpLeft: r.Offset(offset - r.Left, 0); break;
      case TTabPosition::tpRight: r.Offset((width - offset) - r.Right, 0); break;
    }
  };
  int row = rowCount + 1;
  for (size_t i = 0; i < cache.size(); ++i) {
    TTabRecord& t = cache[i];
    if (t.Placed || start(t.R) >= 4) continue;
    --row;
    const int size = horizontal ? t.Height : t.Width;
    const int offset = size * (rowCount - row) + 1;
    const int line = across(t.R);
    for (size_t j = i + 1; j < cache.size(); ++j) {
      TTabRecord& u = cache[j];
      if (u.Placed || std::abs(across(u.R) - line) > 2) continue;
      place(u.R, offset);
      u.Row = row;
      u.Placed = true;
    }
    place(t.R, offset);
    t.Row = row;
    t.Placed = true;
  }
  // The selected tab's row goes next to the page, drawn last.
  int at = CacheIndexOf(cache, selected);
  if (at < 0 || cache[static_cast<size_t>(at)].Row == 1) return;
  const int selectedRow = cache[static_cast<size_t>(at)].Row;
  TTabCache rest, moved;
  for (TTabRecord& t : cache) (t.Row == selectedRow ? moved : rest).push_back(t);
  for (TTabRecord& t : moved) {
    t.Row = 1;
    rest.push_back(t);
  }
  cache.swap(rest);
}

int HitTest(const TTabCache& cache, const TPoint& p) {
  for (const TTabRecord& t : cache)
    if (t.R.Contains(p)) return t.Index;
  return -1;
}

int CacheIndexOf(const TTabCache& cache, int index) {
  for (size_t i = 0; i < cache.size(); ++i)
    if (cache[i].Index == index) return static_cast<int>(i);
  return -1;
}

TRect PageArea(const TRect& b, const TRect& d, TTabPosition pos, bool hasTabs) {
  TRect r = b;
  if (!hasTabs) return r;
  switch (pos) {
    case TTabPosition::tpTop: r.Top = d.Top - 4; break;
    case TTabPosition::tpBottom: r.Bottom = d.Bottom + 1; break;
    case TTabPosition::tpLeft: r.Left = d.Left - 1; break;
    case TTabPosition::tpRight: r.Right = d.Right + 1; break;
  }
  return r;
}

TRect TabStripArea(const TRect& b, const TRect& d, TTabPosition pos) {
  TRect r = b;
  switch (pos) {
    case TTabPosition::tpTop: r.Bottom = d.Top - 4; break;
    case TTabPosition::tpBottom: r.Top = d.Bottom + 1; break;
    case TTabPosition::tpLeft: r.Right = d.Left - 1; break;
    case TTabPosition::tpRight: r.Left = d.Right + 1; break;
  }
  return r;
}

} // namespace skins
